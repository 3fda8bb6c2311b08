#include "window_fixture.h"

#include <QFontMetrics>
#include <QTest>

namespace cdr::test {

void WindowTest::showWindow() {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
}

void expectWholeTextInOneLine(const QLabel& label, const QString& whole) {
    EXPECT_LE(QFontMetrics(label.font()).horizontalAdvance(label.text()), label.contentsRect().width())
        << label.text().toStdString();
    EXPECT_EQ(label.accessibleDescription(), whole);
    EXPECT_TRUE(label.toolTip().contains(whole.toHtmlEscaped())) << label.toolTip().toStdString();
}

QStringList elementNames(const QString& name, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("%1(%2)").arg(name).arg(i);
    }
    return names;
}

std::string checkStateName(CheckState state) {
    switch (state) {
    case kUnchecked:
        return "Off";
    case kChecked:
        return "On";
    case kGrayed:
        return "Grayed";
    default:
        return "Invalid";
    }
}

}  // namespace cdr::test
