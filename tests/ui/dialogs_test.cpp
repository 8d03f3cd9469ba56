// The real dialogs behind the seam: the modal message box and its return indices, the input
// box, the box that leaves the window usable, and the clipboard.
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vexlo;
using namespace vexlo::test;

namespace {

// Runs act on the next modal dialog as soon as it is up (the caller then blocks in it).
void whenModalShows(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

QPushButton* buttonOf(QWidget* box, QMessageBox::StandardButton which) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    return messageBox ? qobject_cast<QPushButton*>(messageBox->button(which)) : nullptr;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void messageBoxAnswers_data();
    void messageBoxAnswers();
    void inputBoxAcceptsAndCancels();
    void nonBlockingBoxLeavesTheWindowUsable();
    void clipboardHoldsTheText();
};

void DialogsTest::messageBoxAnswers_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("result");
    QTest::newRow("33 OK") << 33 << "ok" << 0;
    QTest::newRow("33 Cancel") << 33 << "cancel" << 1;
    QTest::newRow("33 Esc") << 33 << "esc" << 1;
    QTest::newRow("33 close box") << 33 << "close" << 1;
    QTest::newRow("16 Esc") << 16 << "esc" << 0;
    QTest::newRow("64 OK") << 64 << "ok" << 0;
}

void DialogsTest::messageBoxAnswers() {
    QFETCH(int, flags);
    QFETCH(QString, gesture);
    QFETCH(int, result);

    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasCancel = false;
    whenModalShows([&](QWidget* box) {
        auto* messageBox = qobject_cast<QMessageBox*>(box);
        QVERIFY(messageBox != nullptr);
        caption = box->windowTitle();
        text = messageBox->text();
        icon = messageBox->icon();
        hasCancel = buttonOf(box, QMessageBox::Cancel) != nullptr;
        if (gesture == QLatin1String("ok")) {
            buttonOf(box, QMessageBox::Ok)->click();
        } else if (gesture == QLatin1String("cancel")) {
            buttonOf(box, QMessageBox::Cancel)->click();
        } else if (gesture == QLatin1String("esc")) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->close();
        }
    });
    QCOMPARE(messageBox(gbk("第一行\r\n第二行"), flags), result);
    QCOMPARE(caption, QString::fromUtf8("信息："));
    QCOMPARE(text, QString::fromUtf8("第一行\n第二行"));
    QCOMPARE(hasCancel, flags == 33);
    const QMessageBox::Icon expected = flags == 33   ? QMessageBox::Question
                                       : flags == 16 ? QMessageBox::Critical
                                                     : QMessageBox::Information;
    QCOMPARE(icon, expected);
}

void DialogsTest::inputBoxAcceptsAndCancels() {
    QString title, prompt, initial, acceptText, cancelText;
    bool acceptIsDefault = false;
    whenModalShows([&](QWidget* dialog) {
        title = dialog->windowTitle();
        prompt = dialog->findChild<QLabel*>()->text();
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("inputField"));
        auto* accept = dialog->findChild<QPushButton*>(QStringLiteral("acceptButton"));
        initial = field->text();
        acceptText = accept->text();
        acceptIsDefault = accept->isDefault();
        cancelText = dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->text();
        field->setText(QString::fromUtf8("第3"));
        QTest::keyClick(field, Qt::Key_Return); // the default button accepts
    });
    AnsiText out = "keep";
    QVERIFY(inputBox(gbk("跳转第几个"), gbk("标题"), "1", out));
    QCOMPARE(out, gbk("第3"));
    QCOMPARE(title, QString::fromUtf8("标题"));
    QCOMPARE(prompt, QString::fromUtf8("跳转第几个"));
    QCOMPARE(initial, QStringLiteral("1"));
    QCOMPARE(acceptText, QString::fromUtf8("确认输入(&O)"));
    QCOMPARE(cancelText, QString::fromUtf8("取消(&C)"));
    QVERIFY(acceptIsDefault);

    // Cancel, and Esc, leave out as it was; an accepted empty field gives the empty text.
    for (const char* gesture : {"cancel", "esc"}) {
        whenModalShows([gesture](QWidget* dialog) {
            dialog->findChild<QLineEdit*>()->setText(QStringLiteral("typed"));
            if (qstrcmp(gesture, "cancel") == 0) {
                dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
            } else {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        out = "keep";
        QVERIFY(!inputBox("p", "t", "1", out));
        QCOMPARE(out, AnsiText("keep"));
    }
    whenModalShows([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>()->clear();
        dialog->findChild<QPushButton*>(QStringLiteral("acceptButton"))->click();
    });
    QVERIFY(inputBox("p", "t", "1", out));
    QCOMPARE(out, AnsiText());
}

void DialogsTest::nonBlockingBoxLeavesTheWindowUsable() {
    ShownWindow shown;
    int closed = 0;
    showMessage(gbk("无匹配的文本,请尝试检查"), 16, shown.c.mainWindow, [&] { ++closed; });
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = shown.c.mainWindow->findChild<QMessageBox*>()) && box->isVisible());
    QCOMPARE(box->text(), QString::fromUtf8("无匹配的文本,请尝试检查"));
    QCOMPARE(box->windowTitle(), QString::fromUtf8("信息："));
    QVERIFY(QApplication::activeModalWidget() == nullptr); // nothing blocks the window
    QVERIFY(!box->isModal());
    QCOMPARE(closed, 0);
    buttonOf(box, QMessageBox::Ok)->click();
    QCOMPARE(closed, 1);
    QTRY_VERIFY(shown.c.mainWindow->findChild<QMessageBox*>() == nullptr); // deleted on close
}

void DialogsTest::clipboardHoldsTheText() {
    const AnsiText text = gbk("第一\r\nsecond");
    QVERIFY(setClipboardText(text));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("第一\r\nsecond"));
    QVERIFY(setClipboardText(AnsiText()));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
