#include "presenter_fixture.h"

#include "presenter/control_table.h"

namespace cdr::test {

void PresenterTest::TearDown() {
    for (const ControlSpec& spec : mainWindowControls()) {
        EXPECT_TRUE(view_.shown.at(spec.name) == control(ControlId::of(spec))) << spec.name;
    }
    EXPECT_EQ(view_.redundantPushes, 0);
}

void PresenterTest::connectVirtualReader() {
    attachVirtualReader();
    click("cmdOnce");
    ASSERT_EQ(status(), u"Device Connected!");
}

Bytes PresenterTest::lastReport() const {
    const auto& written = platform_.writtenReports();
    return written.empty() ? Bytes{} : written.back().bytes;
}

}  // namespace cdr::test
