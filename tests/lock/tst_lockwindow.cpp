// SPDX-License-Identifier: GPL-3.0-or-later
// The lock window and the password dialog: the command states the path box
// sets, Lock and Unlock through the password dialog, and the messages. The
// windows' questions are answered by the test as a user would.

#include "lock/LockedFile.h"
#include "lock/frmPassword.h"
#include "lock/frmSecret.h"

#include "TestEnv.h"
#include "ui/common/Icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

// Waits for the next modal window of type T to come up, then runs `act` on
// it (from inside that window's own event loop). Gives up after 60 s (a loaded machine can be slow to show it).
template<typename T>
void whenShown(std::function<void(T *)> act)
{
    auto *timer = new QTimer;
    auto *elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, act] {
        T *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!window && elapsed->elapsed() < 60000)
            return;
        timer->stop();
        timer->deleteLater();
        delete elapsed;
        if (window)
            act(window);
    });
    timer->start(10);
}

// What a message box showed.
struct Shown
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next message box with OK and records it in `shown`.
void answerMessage(Shown *shown)
{
    whenShown<QMessageBox>([shown](QMessageBox *box) {
        *shown = {box->windowTitle(), box->text(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    });
}

// Types the two passwords and confirms with Enter, as a user would.
void answerPassword(const QString &first, const QString &second)
{
    whenShown<frmPassword>([first, second](frmPassword *dialog) {
        auto *box1 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
        auto *box2 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassCheck"));
        QTest::keyClicks(box1, first);
        QTest::keyClick(box1, Qt::Key_Return);
        QTest::keyClicks(box2, second);
        QTest::keyClick(box2, Qt::Key_Return);
    });
}

enum class Offered { Nothing, Lock, Unlock };

} // namespace

class TestLockWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<frmSecret> window;
    QString folder;
    QString plainFile;
    QString lockedFile;

    template<typename T>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *txtFile() const { return control<QLineEdit>("txtFile"); }
    QAbstractButton *button(const char *name) const { return control<QAbstractButton>(name); }
    QAction *action(const char *name) const { return control<QAction>(name); }

    Offered offered() const
    {
        const bool lock = button("cmdEncipher")->isEnabled();
        const bool unlock = button("cmdDecipher")->isEnabled();
        // Menu items and buttons always agree; at most one command is offered.
        if (action("mnuFileEncipher")->isEnabled() != lock || action("mnuFileDecipher")->isEnabled() != unlock
            || (lock && unlock))
            qFatal("inconsistent command state");
        return lock ? Offered::Lock : unlock ? Offered::Unlock : Offered::Nothing;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        folder = env->makeDir(QStringLiteral("files"));
        plainFile = folder + QStringLiteral("/notes.txt");
        lockedFile = folder + QStringLiteral("/locked.txt");
        QVERIFY(writeFile(plainFile, "Hello, World!"));
        QVERIFY(writeFile(lockedFile, QByteArray::fromHex("5b5365637265745d34464443423730380d0a424c4a57792c20665963377721")));
        window = std::make_unique<frmSecret>();
        window->show();
    }

    void cleanup()
    {
        window.reset();
        env.reset();
    }

    void opening()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Lock Files"));
        QCOMPARE(txtFile()->text(), QString());
        QCOMPARE(offered(), Offered::Nothing);
        QVERIFY(button("cmdBrowse")->isEnabled());
        const QList<std::array<QString, 3>> buttons = {
            {"cmdBrowse", "&Browse", "Look for a file"},
            {"cmdEncipher", "&Lock", "Make this file unreadable"},
            {"cmdDecipher", "&Unlock", "Make this file readable"},
            {"Command1", "E&xit", "Goodbye!"},
        };
        int lastLeft = -1;
        for (const auto &[name, text, tip] : buttons) {
            QAbstractButton *b = button(name.toLatin1().constData());
            QCOMPARE(b->text(), text);
            QCOMPARE(b->toolTip(), tip);
            QVERIFY(!b->icon().isNull());
            QVERIFY(b->x() > lastLeft); // one row, left to right
            lastLeft = b->x();
        }
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("File Path:"));

        auto *menu = control<QMenu>("mnuFile");
        QCOMPARE(menu->title(), QStringLiteral("&File"));
        QStringList items;
        for (QAction *a : menu->actions())
            items << a->objectName() + u'=' + (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"mnuFileBrowse=&Browse", "mnuBartwo=-", "mnuFileEncipher=&Lock",
                                     "mnuFileDecipher=&Unlock", "mnuFileBar=-", "mnuFileExit=E&xit"}));
    }

    void keyboard_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("nothing offered") << QString();
        QTest::newRow("Lock offered, Unlock not") << QStringLiteral("notes.txt");
        QTest::newRow("Unlock offered, Lock not") << QStringLiteral("locked.txt");
    }

    void keyboard()
    {
        QFETCH(QString, path);
        // The window opens ready for a path, not on Exit.
        QCOMPARE(window->focusWidget(), static_cast<QWidget *>(txtFile()));
        if (!path.isEmpty())
            txtFile()->setText(folder + u'/' + path);
        const QString before = txtFile()->text();
        const bool lockOffered = button("cmdEncipher")->isEnabled();
        const bool unlockOffered = button("cmdDecipher")->isEnabled();

        // The access keys of commands not offered type nothing into the path.
        if (!unlockOffered)
            QTest::keyClick(txtFile(), Qt::Key_U, Qt::AltModifier);
        if (!lockOffered)
            QTest::keyClick(txtFile(), Qt::Key_L, Qt::AltModifier);
        QCOMPARE(txtFile()->text(), before);
        QCOMPARE(int(offered()), int(lockOffered ? Offered::Lock : unlockOffered ? Offered::Unlock : Offered::Nothing));

        // Enter in the path box does not close the window.
        QTest::keyClick(txtFile(), Qt::Key_Return);
        QVERIFY(window->isVisible());
        QCOMPARE(txtFile()->text(), before);
    }

    void buttonPicturesAreTheProducts()
    {
        const QList<std::pair<const char *, QString>> buttons = {
            {"cmdBrowse", "Browse"}, {"cmdEncipher", "Lock"}, {"cmdDecipher", "Unlock"}, {"Command1", "Exit"}};
        for (const auto &[name, key] : buttons) {
            const QIcon own = lockWindowIcon(key);
            QVERIFY(!own.isNull());
            QCOMPARE(button(name)->icon().pixmap(32).toImage(), own.pixmap(32).toImage());
        }
    }

    // Typing a path character by character offers a command only while the
    // text names a file; deleting a character takes it away again.
    void commandStatesWhileTyping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offeredAtEnd");
        QTest::newRow("plain file") << "notes.txt" << int(Offered::Lock);
        QTest::newRow("locked file") << "locked.txt" << int(Offered::Unlock);
        QTest::newRow("plain file that begins with the marker") << "marker.txt" << int(Offered::Unlock);
        QTest::newRow("folder") << "sub" << int(Offered::Nothing);
        QTest::newRow("missing file") << "nothing.txt" << int(Offered::Nothing);
    }

    void commandStatesWhileTyping()
    {
        QFETCH(QString, name);
        QFETCH(int, offeredAtEnd);
        QVERIFY(writeFile(folder + QStringLiteral("/marker.txt"), "[Secret] plain text"));
        QDir(folder).mkdir(QStringLiteral("sub"));
        const QString path = folder + u'/' + name;
        for (const QChar c : path) {
            QTest::keyClicks(txtFile(), QString(c));
            const bool complete = txtFile()->text() == path;
            QCOMPARE(int(offered()), complete ? offeredAtEnd : int(Offered::Nothing));
        }
        QTest::keyClick(txtFile(), Qt::Key_Backspace);
        QCOMPARE(offered(), Offered::Nothing);
        QTest::keyClicks(txtFile(), path.right(1));
        QCOMPARE(int(offered()), offeredAtEnd);
        txtFile()->clear();
        QCOMPARE(offered(), Offered::Nothing);
    }

    void lockThenUnlock()
    {
        txtFile()->setText(plainFile);
        QCOMPARE(offered(), Offered::Lock);

        bool focusMoved = false;
        whenShown<frmPassword>([&focusMoved](frmPassword *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Password Verification"));
            auto *box1 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
            auto *box2 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassCheck"));
            QCOMPARE(dialog->focusWidget(), box1);
            QCOMPARE(box1->echoMode(), QLineEdit::Password);
            QTest::keyClicks(box1, QStringLiteral("abc"));
            QTest::keyClick(box1, Qt::Key_Return);
            focusMoved = dialog->focusWidget() == box2 && box1->text() == QLatin1String("abc");
            QTest::keyClicks(box2, QStringLiteral("abc"));
            QTest::keyClick(box2, Qt::Key_Return);
        });
        button("cmdEncipher")->click();
        QVERIFY(focusMoved);
        QCOMPARE(readFile(plainFile), QByteArray::fromHex("5b5365637265745d34464443423730380d0a424c4a57792c20665963377721"));
        QCOMPARE(window->windowTitle(), plainFile);
        QCOMPARE(offered(), Offered::Unlock);
        QVERIFY(button("cmdBrowse")->isEnabled());

        // Unlock is offered for the same path without choosing it again.
        answerPassword(QStringLiteral("abc"), QStringLiteral("abc"));
        action("mnuFileDecipher")->trigger();
        QCOMPARE(readFile(plainFile), QByteArray("Hello, World!"));
        QCOMPARE(window->windowTitle(), plainFile);
        QCOMPARE(offered(), Offered::Lock);
        QVERIFY(button("cmdBrowse")->isEnabled());
    }

    void passwordsDiffer()
    {
        txtFile()->setText(plainFile);
        Shown shown;
        bool stayedOpen = false;
        whenShown<frmPassword>([&](frmPassword *dialog) {
            auto *box1 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
            auto *box2 = dialog->findChild<QLineEdit *>(QStringLiteral("txtPassCheck"));
            box1->setText(QStringLiteral("abc"));
            box2->setText(QStringLiteral("ABC"));
            answerMessage(&shown);
            dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
            stayedOpen = dialog->isVisible() && box1->text() == QLatin1String("abc")
                      && box2->text() == QLatin1String("ABC");
            dialog->close(); // by its frame: no password
        });
        button("cmdEncipher")->click();
        QVERIFY(stayedOpen);
        QCOMPARE(shown.title, QStringLiteral("Lock Files"));
        QCOMPARE(shown.text, QStringLiteral("The two passwords are not the same!"));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(readFile(plainFile), QByteArray("Hello, World!"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Lock Files"));
        QCOMPARE(offered(), Offered::Lock);
    }

    void wrongPassword()
    {
        const QByteArray locked = readFile(lockedFile);
        txtFile()->setText(lockedFile);
        QCOMPARE(offered(), Offered::Unlock);
        Shown shown;
        answerPassword(QStringLiteral("abd"), QStringLiteral("abd"));
        answerMessage(&shown);
        button("cmdDecipher")->click();
        QCOMPARE(shown.title, QStringLiteral("Lock Files"));
        QCOMPARE(shown.text, QStringLiteral("Sorry, password incorrect for this file."));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(readFile(lockedFile), locked);
        QCOMPARE(window->windowTitle(), QStringLiteral("Lock Files"));
        QCOMPARE(offered(), Offered::Unlock);
    }

    // Closing the dialog, or confirming two empty boxes, changes nothing.
    void noPassword_data()
    {
        QTest::addColumn<bool>("unlock");
        QTest::addColumn<bool>("confirmEmpty");
        QTest::newRow("Lock, dialog closed") << false << false;
        QTest::newRow("Lock, empty boxes") << false << true;
        QTest::newRow("Unlock, dialog closed") << true << false;
        QTest::newRow("Unlock, empty boxes") << true << true;
    }

    void noPassword()
    {
        QFETCH(bool, unlock);
        QFETCH(bool, confirmEmpty);
        const QString path = unlock ? lockedFile : plainFile;
        const QByteArray before = readFile(path);
        txtFile()->setText(path);
        whenShown<frmPassword>([confirmEmpty](frmPassword *dialog) {
            if (confirmEmpty)
                dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
            else
                dialog->close();
        });
        button(unlock ? "cmdDecipher" : "cmdEncipher")->click();
        QCOMPARE(readFile(path), before);
        QCOMPARE(window->windowTitle(), QStringLiteral("Lock Files"));
        QCOMPARE(offered(), unlock ? Offered::Unlock : Offered::Lock);
    }

    // A run that fails shows what failed, and the window comes back with
    // Browse enabled and the commands set by a new inspection.
    void failedRunComesBack()
    {
        txtFile()->setText(plainFile);
        QVERIFY(QFile::remove(plainFile));
        QCOMPARE(offered(), Offered::Lock); // as inspected before the file went
        Shown shown;
        answerPassword(QStringLiteral("abc"), QStringLiteral("abc"));
        answerMessage(&shown);
        button("cmdEncipher")->click();
        QCOMPARE(shown.title, QStringLiteral("Lock Files"));
        QCOMPARE(shown.text, QStringLiteral("No file found at \"%1\".").arg(plainFile));
        QVERIFY(button("cmdBrowse")->isEnabled());
        QCOMPARE(offered(), Offered::Nothing);
        QCOMPARE(window->windowTitle(), plainFile);
        QVERIFY(!QFile::exists(plainFile));
    }

    void browse()
    {
        QStringList filters;
        QString name;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            name = dialog->objectName();
            filters = dialog->nameFilters();
            // The path is typed into the dialog's name box, as a user may:
            // selectFile() of a path in another folder waits for the
            // dialog's folder model, which a busy machine fills late.
            auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(nameBox);
            nameBox->setText(lockedFile);
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept is protected
            if (dialog->isVisible())
                dialog->reject(); // never left open, whatever happened
        });
        button("cmdBrowse")->click();
        QCOMPARE(name, QStringLiteral("cdlOne"));
        QCOMPARE(filters, (QStringList{"All files (*)", "Text files (*.txt)"}));
        QCOMPARE(txtFile()->text(), lockedFile);
        QCOMPARE(offered(), Offered::Unlock);

        // Cancelling keeps a path typed by hand.
        txtFile()->setText(folder + QStringLiteral("/typed"));
        whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        action("mnuFileBrowse")->trigger();
        QCOMPARE(txtFile()->text(), folder + QStringLiteral("/typed"));
        QCOMPARE(offered(), Offered::Nothing);
    }

    void exitCloses_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

    void exitCloses()
    {
        QFETCH(bool, fromMenu);
        QVERIFY(window->isVisible());
        if (fromMenu)
            action("mnuFileExit")->trigger();
        else
            button("Command1")->click();
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestLockWindow)
#include "tst_lockwindow.moc"
