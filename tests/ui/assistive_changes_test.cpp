// Changes made through assistive technology, and input made while the window waits on the reader: the window, the
// presenter and the saved file keep agreeing.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "reader_window_fixture.h"
#include "settings/settings_file.h"
#include "support/temp_folder.h"
#include "ui/check_box.h"

namespace cdr::test {
namespace {

void doAccessibleAction(QWidget* control, const QString& action) {
    QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(action);
}

void setAccessibleText(QWidget* field, const QString& text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    ASSERT_NE(accessible->editableTextInterface(), nullptr);
    accessible->editableTextInterface()->replaceText(0, static_cast<int>(accessible->textInterface()->characterCount()),
                                                     text);
}

TEST_F(ReaderWindowTest, AccessibleToggleAndTextReachThePresenterSoResetAndSaveAgreeWithTheScreen) {
    window_.SetControlsEnabled(true);
    doAccessibleAction(find("chkStart"), QAccessibleActionInterface::toggleAction());
    doAccessibleAction(find("chkTrack(2)"), QAccessibleActionInterface::toggleAction());
    setAccessibleText(find("txtSS(0)"), QStringLiteral(";"));
    EXPECT_TRUE(find("txtSS(1)")->isEnabled());

    const TempFolder folder("cdr-assistive-");
    const QString path = QString::fromStdString((folder.path() / "screen.cfg").string());
    ASSERT_TRUE(window_.SaveSettingsFile(path));
    const auto saved = decodeSettingsFile(TempFolder::contents(folder.path() / "screen.cfg"));
    ASSERT_TRUE(std::holds_alternative<ReaderSettings>(saved));
    EXPECT_EQ(std::get<ReaderSettings>(saved).startSentinelEnabled, kChecked);
    EXPECT_EQ(std::get<ReaderSettings>(saved).trackEnabled[2], kUnchecked);
    EXPECT_EQ(std::get<ReaderSettings>(saved).startSentinel[0], u";");

    click("cmdDefault");
    EXPECT_EQ(find<CheckBox>("chkStart")->value(), kUnchecked);
    EXPECT_EQ(find<CheckBox>("chkTrack(2)")->value(), kChecked);
    EXPECT_EQ(find<QLineEdit>("txtSS(0)")->text(), QString());
    EXPECT_FALSE(find("txtSS(1)")->isEnabled());
    EXPECT_EQ(window_.currentSettings(), factorySettings());
}

// A character outside the BMP is never split: the field keeps what it had and the status line says why.
TEST_F(ReaderWindowTest, AnEmojiInASentinelFieldIsRefusedWhole) {
    window_.SetControlsEnabled(true);
    click("cmdDefault");
    find<CheckBox>("chkEnd")->click();
    setAccessibleText(find("txtES(0)"), QStringLiteral("\U0001F600"));
    EXPECT_EQ(find<QLineEdit>("txtES(0)")->text(), QString());
    EXPECT_EQ(status(), QStringLiteral("Track End Sentinel, Track1: character cannot be sent."));
}

// A second click on Connect while the first waits on the reader would disconnect at once: it is dropped. The busy
// cursor shows only during the wait.
TEST_F(ReaderWindowTest, InputWhileWaitingOnTheReaderIsDroppedAndTheCursorComesBack) {
    hid::sim::VirtualDevice device = reader_.device("/dev/hidraw-reader");
    Qt::CursorShape cursorWhileWaiting = Qt::ArrowCursor;
    device.responder = [this, &cursorWhileWaiting, answer = device.responder](std::span<const std::uint8_t> report) {
        const QCursor* cursor = QApplication::overrideCursor();
        cursorWhileWaiting = cursor == nullptr ? Qt::ArrowCursor : cursor->shape();
        QWidget* connect = find("cmdOnce");
        const QPointF at(4, 4);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(connect, new QMouseEvent(type, at, connect->mapToGlobal(at), Qt::LeftButton,
                                                                 Qt::LeftButton, Qt::NoModifier));
        }
        return answer(report);
    };
    platform_.addDevice(std::move(device));
    click("cmdOnce");
    QCoreApplication::processEvents();
    EXPECT_EQ(connectCaption(), QStringLiteral("Disconnect"));
    EXPECT_EQ(cursorWhileWaiting, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReaderWindowTest, ArrowKeysDoNothingOnCheckBoxesAndFocusComesBackAfterReactivation) {
    window_.SetControlsEnabled(true);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    find("chkTrack(0)")->setFocus();
    QTest::keyClick(find("chkTrack(0)"), Qt::Key_Down);
    EXPECT_TRUE(find("chkTrack(0)")->hasFocus());

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_TRUE(find("chkTrack(0)")->hasFocus());
}

}  // namespace
}  // namespace cdr::test
