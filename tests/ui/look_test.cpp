#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "ui/caption_width.h"
#include "presenter/control_table.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

// Emphasised captions: Gulim, drawn with NanumGothic where Gulim is missing. The font names the face it is drawn
// with, never a missing one, which would cost a search of every installed font.
struct FontCase {
    const char* control;
    qreal pointSize;
};

class CaptionFontTest : public WindowTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(CaptionFontTest, CaptionIsBoldGulimAtItsSize) {
    const QFont font = find(GetParam().control)->font();
    EXPECT_TRUE(font.bold());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), GetParam().pointSize);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("NanumGothic"));
    EXPECT_EQ(font.family(), QFontInfo(font).family());
}

INSTANTIATE_TEST_SUITE_P(Emphasised, CaptionFontTest,
                         ::testing::Values(FontCase{"cmdOnce", 9.0}, FontCase{"chkStart", 9.0}, FontCase{"chkEnd", 9.0},
                                           FontCase{"txtMsg", 9.75}),
                         [](const ::testing::TestParamInfo<FontCase>& info) {
                             return std::string(info.param.control);
                         });

// Button faces, checked in the drawn button: the colour must survive the style's shading.
struct FaceCase {
    const char* control;
    QColor face;
};

class ButtonFaceTest : public WindowTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(ButtonFaceTest, ButtonIsDrawnInItsFaceColour) {
    auto* button = find<QPushButton>(GetParam().control);
    EXPECT_EQ(button->palette().color(QPalette::Button), GetParam().face);
    // The style shades the face lighter; left of the caption, half-way down, its tint must still show.
    const QColor drawn = button->grab().toImage().pixelColor(6, button->height() / 2);
    const int faceTint = GetParam().face.red() - GetParam().face.blue();
    const int drawnTint = drawn.red() - drawn.blue();
    EXPECT_GT(drawnTint * faceTint, 0) << drawnTint;
    EXPECT_GE(std::abs(drawnTint) * 4, std::abs(faceTint)) << drawnTint;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ButtonFaceTest,
    ::testing::Values(FaceCase{"cmdRead", QColor(227, 228, 244)}, FaceCase{"cmdWrite", QColor(227, 228, 244)},
                      FaceCase{"cmdVersion", QColor(227, 228, 244)}, FaceCase{"cmdDefault", QColor(253, 219, 219)}),
    [](const ::testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.control); });

TEST_F(WindowTest, StatusLabelIsRedOnGreyAndGreyedWhenDisabled) {
    auto* status = find<QLabel>("txtMsg");
    EXPECT_TRUE(status->autoFillBackground());
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(status->palette().color(QPalette::Active, QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_NE(status->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(192, 0, 0));
}

TEST_F(WindowTest, SentinelCheckBoxesAreInTheHighlightColour) {
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    for (const char* name : {"chkStart", "chkEnd"}) {
        EXPECT_EQ(find(name)->palette().color(QPalette::Active, QPalette::WindowText), highlight) << name;
    }
}

// Every caption on screen fits its control at the desktop's font and at one point larger, which is how a desktop
// set to a larger font hands it to the program, whether before the window opens or while it is open; also with the
// diagnostic panel shown.
struct CaptionFitCase {
    const char* name;
    qreal extraPoints;
    bool diagnostic;
    bool whileOpen;
};

class CaptionFitTest : public ::testing::TestWithParam<CaptionFitCase> {
protected:
    void setDesktopFont() const {
        QFont larger = desktopFont_;
        larger.setPointSizeF(desktopFont_.pointSizeF() + GetParam().extraPoints);
        QApplication::setFont(larger);
    }
    void TearDown() override { QApplication::setFont(desktopFont_); }

    const QFont desktopFont_ = QApplication::font();
};

TEST_P(CaptionFitTest, EveryCaptionFitsItsControl) {
    AbsentReaderPlatform platform;
    if (!GetParam().whileOpen) {
        setDesktopFont();
    }
    frmMain window(platform);
    if (GetParam().diagnostic) {
        window.showDiagnosticPanel();
    }
    if (GetParam().whileOpen) {
        setDesktopFont();
        QCoreApplication::sendPostedEvents();
    }
    for (const ControlSpec& spec : mainWindowControls()) {
        auto* control = qobject_cast<QWidget*>(window.control(QString::fromUtf8(spec.name)));
        if (*spec.caption == '\0' || !control->isVisibleTo(&window)) {
            continue;
        }
        EXPECT_LE(captionWidth(*control, QString::fromUtf8(spec.caption)), control->width()) << spec.name;
        EXPECT_LE(control->geometry().right(), control->parentWidget()->width()) << spec.name;
    }
}

INSTANTIATE_TEST_SUITE_P(DesktopFont, CaptionFitTest,
                         ::testing::Values(CaptionFitCase{"AsSet", 0.0, false, false},
                                           CaptionFitCase{"OnePointLarger", 1.0, false, false},
                                           CaptionFitCase{"OnePointLargerWithDiagnosticPanel", 1.0, true, false},
                                           CaptionFitCase{"OnePointLargerWhileOpen", 1.0, true, true}),
                         [](const ::testing::TestParamInfo<CaptionFitCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace cdr::test
