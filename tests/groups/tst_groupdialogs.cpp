// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/FolderChooser.h"
#include "ui/groups/GroupRowsModel.h"
#include "ui/groups/frmPathAdd.h"
#include "ui/groups/frmPathAddPopUp.h"
#include "ui/groups/frmPathEdit.h"
#include "ui/groups/frmPathMain.h"

// MessageBoxAnswer.h uses the button classes without including them.
#include <QPushButton>

#include "MessageBoxAnswer.h"
#include "TestEnv.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace sweepora;
using namespace sweepora::test;

namespace {

// Five groups; Beta's icon is written with a leading zero.
const QByteArray fiveGroups = "\"Alpha\",\"/srv/a/\",\"A\",\"1\"\r\n"
                              "\"Beta\",\"/srv/b/\",\"B\",\"07\"\r\n"
                              "\"Gamma\",\"/srv/c/\",\"C\",\"3\"\r\n"
                              "\"Delta\",\"/srv/d/\",\"D\",\"10\"\r\n"
                              "\"Epsilon\",\"/srv/e/\",\"E\",\"35\"\r\n";

// The same table as the group list saves it.
QList<QByteArray> savedFiveGroups()
{
    QByteArray saved = fiveGroups;
    saved.replace("\"07\"", "\"7\"");
    return saved.split('\n').mid(0, 5);
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> result = bytes.split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

template <class T = QWidget>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void click(QWidget *window, const char *button)
{
    child<QPushButton>(window, button)->click();
}

void type(QWidget *window, const char *box, const QString &text)
{
    auto *edit = child<QLineEdit>(window, box);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Runs `act` on the next modal dialog of type D that opens, as the user
// facing it would. The watcher ends with the test that made it.
template <class D>
class WhenOpen : public QObject
{
public:
    explicit WhenOpen(std::function<void(D *)> act) : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            ++opened;
            m_act(dialog);
        });
        m_timer.start(10);
    }
    int opened = 0;

private:
    std::function<void(D *)> m_act;
    QTimer m_timer;
};

} // namespace

class TestGroupDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<BoxAnswerer> boxes;

    // Replaces "$HOME" and "$ROOT" in a path of a test table.
    QString resolve(QString path) const
    {
        return path.replace(QStringLiteral("$HOME"), env->home()).replace(QStringLiteral("$ROOT"), env->root());
    }

    void selectRow(QWidget *list, int row)
    {
        auto *view = child<QTreeView>(list, "ListView1");
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        boxes = std::make_unique<BoxAnswerer>();
        QFile::link(QStringLiteral("/"), env->root() + QStringLiteral("/to-root"));
        QFile::link(env->home(), env->root() + QStringLiteral("/to-home"));
    }

    void cleanup()
    {
        boxes.reset();
        env.reset();
        folderChooser() = nullptr;
    }

    void dialogTexts_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("okCaption");
        QTest::newRow("add") << "add" << "Add New Group" << "&ADD";
        QTest::newRow("pop-up add") << "popup" << "Add New Group" << "&ADD";
        QTest::newRow("edit") << "edit" << "Edit Group Information" << "&SAVE";
    }

    void dialogTexts()
    {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QString, okCaption);
        GroupRowsModel rows;
        std::unique_ptr<QDialog> dialog;
        if (which == u"add")
            dialog = std::make_unique<frmPathAdd>(&rows);
        else if (which == u"popup")
            dialog = std::make_unique<frmPathAddPopUp>();
        else
            dialog = std::make_unique<frmPathEdit>(&rows);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(child<QPushButton>(dialog.get(), "btnOK")->text(), okCaption);
        QCOMPARE(child<QPushButton>(dialog.get(), "btnClose")->text(), QStringLiteral("&CANCEL"));
        QCOMPARE(child<QPushButton>(dialog.get(), "btnBrowse")->text(), QStringLiteral("&BROWSE"));
        for (const char *box : {"txtName", "txtKey", "txtPath"})
            QVERIFY(child<QLineEdit>(dialog.get(), box)->text().isEmpty());
    }

    // Each refusal shows its one message and sends the focus to its box;
    // nothing reaches the group list.
    void entryRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        const QString noName = "The Name Box can not be empty please enter the required information";
        const QString noKey = "The Key Box can not be empty please enter the required information";
        const QString noPath = "The Path Box can not be empty please enter the required information";
        const QString root = "Root directories are not allowed to be viewed or deleted";
        const QString home = "The Home directory is not allowed to be viewed or deleted";
        const QString system = "The System directory is not allowed to be viewed or deleted";
        const QString relative = "The Path Box must hold a full path, starting with /";
        const QString usedKey = "The Key is already used by another group, please enter a different one";

        QTest::newRow("name empty") << "" << "k" << "/srv/x" << noName << "txtName";
        QTest::newRow("name and key empty") << "" << "" << "/srv/x" << noName << "txtName";
        QTest::newRow("key empty") << "n" << "" << "/srv/x" << noKey << "txtKey";
        QTest::newRow("root") << "n" << "k" << "/" << root << "txtPath";
        QTest::newRow("root through ..") << "n" << "k" << "/usr/.." << root << "txtPath";
        QTest::newRow("root through a link") << "n" << "k" << "$ROOT/to-root" << root << "txtPath";
        QTest::newRow("home") << "n" << "k" << "$HOME" << home << "txtPath";
        QTest::newRow("home with separator") << "n" << "k" << "$HOME/" << home << "txtPath";
        QTest::newRow("home through a link") << "n" << "k" << "$ROOT/to-home/" << home << "txtPath";
        QTest::newRow("/usr") << "n" << "k" << "/usr" << system << "txtPath";
        QTest::newRow("/var doubled separator") << "n" << "k" << "/var//" << system << "txtPath";
        QTest::newRow("path empty") << "n" << "k" << "" << noPath << "txtPath";
        QTest::newRow("relative path") << "n" << "k" << "cache/x" << relative << "txtPath";
        QTest::newRow("tilde") << "n" << "k" << "~/.cache" << relative << "txtPath";
        QTest::newRow("key of another row") << "n" << "Taken" << "/srv/x" << usedKey << "txtKey";
        QTest::newRow("quote in name") << "say \"hi\"" << "k" << "/srv/x"
                                       << "The Name Box can not contain double quotes or line breaks" << "txtName";
        QTest::newRow("line break in key") << "n" << "k\nk" << "/srv/x"
                                           << "The Key Box can not contain double quotes or line breaks" << "txtKey";
        QTest::newRow("quote in path") << "n" << "k" << "/srv/\"x\""
                                       << "The Path Box can not contain double quotes or line breaks" << "txtPath";
    }

    void entryRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QString, path);
        QFETCH(QString, message);
        QFETCH(QString, focus);

        GroupRowsModel rows;
        rows.appendGroup({QStringLiteral("Other"), QStringLiteral("/srv/o/"), QStringLiteral("Taken"), QStringLiteral("3")});
        frmPathAdd dialog(&rows);
        dialog.show();
        // setText, not typing: a line break cannot be typed but can be pasted.
        child<QLineEdit>(&dialog, "txtName")->setText(name);
        child<QLineEdit>(&dialog, "txtKey")->setText(key);
        child<QLineEdit>(&dialog, "txtPath")->setText(resolve(path));
        click(&dialog, "btnOK");

        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.first().text, message);
        QCOMPARE(boxes->seen.first().title, QStringLiteral("Sweepora"));
        QCOMPARE(boxes->seen.first().icon, QMessageBox::Critical);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget()->objectName(), focus);
        QCOMPARE(rows.rowCount(), 1);
    }

    // The stored path keeps the typed case and gets the separator; without
    // a click in the picker the icon is 2.
    void entryAccepted_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("system subfolder") << "k" << "/usr/share/" << "/usr/share/";
        QTest::newRow("mixed case, no separator") << "k" << "/Srv/Mixed Case/CacheDir" << "/Srv/Mixed Case/CacheDir/";
        QTest::newRow("home subfolder") << "k" << "$HOME/.cache" << "$HOME/.cache/";
        QTest::newRow("folder that does not exist") << "k" << "/nowhere/at/all" << "/nowhere/at/all/";
        QTest::newRow("key differing in case only") << "taken" << "/srv/x" << "/srv/x/";
    }

    void entryAccepted()
    {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QString, stored);

        GroupRowsModel rows;
        rows.appendGroup({QStringLiteral("Other"), QStringLiteral("/srv/o/"), QStringLiteral("Taken"), QStringLiteral("3")});
        frmPathAdd dialog(&rows);
        dialog.show();
        type(&dialog, "txtName", QStringLiteral("New group"));
        type(&dialog, "txtKey", key);
        type(&dialog, "txtPath", resolve(typed));
        click(&dialog, "btnOK");

        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(rows.rowCount(), 2);
        const Group expected{QStringLiteral("New group"), resolve(stored), key, QStringLiteral("2")};
        QCOMPARE(rows.group(1), expected);
    }

    void iconPicker()
    {
        GroupRowsModel rows;
        frmPathAdd dialog(&rows);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *picker = child<QListWidget>(&dialog, "ListView1");
        auto *icon = child<QLineEdit>(&dialog, "txtIcon");

        QCOMPARE(picker->count(), 35);
        for (int n = 1; n <= 35; ++n)
            QCOMPARE(picker->item(n - 1)->text(), QStringLiteral("Icon%1").arg(n));
        QCOMPARE(icon->text(), QStringLiteral("2"));
        QVERIFY(!icon->isEnabled());
        QVERIFY(icon->isReadOnly());

        QListWidgetItem *seventh = picker->item(6);
        picker->scrollToItem(seventh);
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, picker->visualItemRect(seventh).center());
        QCOMPARE(icon->text(), QStringLiteral("7"));

        type(&dialog, "txtName", QStringLiteral("n"));
        type(&dialog, "txtKey", QStringLiteral("k"));
        type(&dialog, "txtPath", QStringLiteral("/srv/x"));
        click(&dialog, "btnOK");
        QCOMPARE(rows.data(rows.index(0, 0), GroupRowsModel::IconNumberRole).toInt(), 7);
    }

    void browse_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("folder chosen") << "/srv/picked";
        QTest::newRow("cancelled") << "";
    }

    void browse()
    {
        QFETCH(QString, chosen);
        QString askedTitle, askedStart;
        folderChooser() = [&](QWidget *, const QString &title, const QString &start) {
            askedTitle = title;
            askedStart = start;
            return chosen;
        };
        frmPathAddPopUp dialog;
        dialog.show();
        type(&dialog, "txtPath", QStringLiteral("/srv/typed/before"));
        click(&dialog, "btnBrowse");
        QCOMPARE(askedTitle, QStringLiteral("Select directory to be cleaned"));
        QCOMPARE(askedStart, QStringLiteral("/"));
        QCOMPARE(child<QLineEdit>(&dialog, "txtPath")->text(), chosen);
    }

    // The pop-up add dialog refuses a key of the file, then appends exactly
    // one line and asks for the tree to be rebuilt with both flags.
    void popUpAppendsOneLine()
    {
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathAddPopUp dialog;
        QSignalSpy tree(&dialog, &frmPathAddPopUp::groupTreeChanged);
        dialog.show();
        type(&dialog, "txtName", QStringLiteral("Shared"));
        type(&dialog, "txtKey", QStringLiteral("C"));
        type(&dialog, "txtPath", QStringLiteral("/usr/share"));
        click(&dialog, "btnOK");
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.first().text,
                 QStringLiteral("The Key is already used by another group, please enter a different one"));
        QCOMPARE(readFile(env->groupFile()), fiveGroups);
        QCOMPARE(tree.size(), 0);

        type(&dialog, "txtKey", QStringLiteral("Shared"));
        click(&dialog, "btnOK");
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(readFile(env->groupFile()), fiveGroups + "\"Shared\",\"/usr/share/\",\"Shared\",\"2\"\r\n");
        QCOMPARE(tree.size(), 1);
        QCOMPARE(tree.first(), (QVariantList{true, true}));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void listShowsTheTable()
    {
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        QCOMPARE(list.windowTitle(), QStringLiteral("Edit Available Groups"));
        auto *view = child<QTreeView>(&list, "ListView1");
        QAbstractItemModel *model = view->model();
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);

        const int dpi = view->logicalDpiX();
        const QList<QPair<QString, double>> columns{{"Name", 2000}, {"Path", 2000}, {"Key", 1300}};
        QCOMPARE(model->columnCount(), 3);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), columns[c].first);
            QCOMPARE(view->header()->sectionSize(c), qRound(columns[c].second * dpi / 1440.0));
        }

        const QStringList names{"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};
        const QList<int> icons{1, 7, 3, 10, 35};
        QCOMPARE(model->rowCount(), 5);
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(model->index(r, 0).data().toString(), names[r]);
            QCOMPARE(model->index(r, 1).data().toString(), QStringLiteral("/srv/%1/").arg(QChar(u'a' + r)));
            QCOMPARE(model->index(r, 2).data().toString(), QString(QChar(u'A' + r)));
            QCOMPARE(model->index(r, 0).data(GroupRowsModel::IconNumberRole).toInt(), icons[r]);
        }
        const QStringList captions{"&ADD", "&EDIT", "&DELETE", "&SAVE", "&CANCEL"};
        const char *buttons[] = {"btnAdd", "btnEdit", "btnDelete", "btnClose", "btnCancel"};
        for (int b = 0; b < 5; ++b)
            QCOMPARE(child<QPushButton>(&list, buttons[b])->text(), captions[b]);
    }

    // Opening the list and saving at once writes the same lines, each icon as
    // its number.
    void saveAfterOpeningRewritesSameLines()
    {
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        QSignalSpy tree(&list, &frmPathMain::groupTreeChanged);
        list.show();
        click(&list, "btnClose");
        QCOMPARE(lines(readFile(env->groupFile())), savedFiveGroups());
        QVERIFY(!list.isVisible());
        QCOMPARE(tree.size(), 1);
        QCOMPARE(tree.first(), (QVariantList{true, false}));
    }

    void editThirdOfFive_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<QByteArray>("third");
        QTest::newRow("save") << "save" << QByteArray("\"Gamma edited\",\"/srv/Gamma/\",\"C2\",\"3\"\r");
        QTest::newRow("cancel") << "cancel" << QByteArray("\"Gamma\",\"/srv/c/\",\"C\",\"3\"\r");
        QTest::newRow("window frame") << "frame" << QByteArray("\"Gamma\",\"/srv/c/\",\"C\",\"3\"\r");
        QTest::newRow("save refused, then frame") << "refused" << QByteArray("\"Gamma\",\"/srv/c/\",\"C\",\"3\"\r");
    }

    // The edited row comes back to its place however the edit dialog
    // closes, and the saved file keeps it third.
    void editThirdOfFive()
    {
        QFETCH(QString, close);
        QFETCH(QByteArray, third);
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        list.show();
        auto *model = child<QTreeView>(&list, "ListView1")->model();
        selectRow(&list, 2);

        int rowsWhileOpen = -1;
        QStringList boxesWhileOpen;
        WhenOpen<frmPathEdit> edit([&](frmPathEdit *dialog) {
            rowsWhileOpen = model->rowCount();
            for (const char *box : {"txtName", "txtKey", "txtPath", "txtIcon"})
                boxesWhileOpen << child<QLineEdit>(dialog, box)->text();
            type(dialog, "txtName", QStringLiteral("Gamma edited"));
            type(dialog, "txtKey", QStringLiteral("C2"));
            type(dialog, "txtPath", QStringLiteral("/srv/Gamma"));
            if (close == u"save") {
                click(dialog, "btnOK");
            } else if (close == u"cancel") {
                click(dialog, "btnClose");
            } else if (close == u"frame") {
                dialog->close();
            } else {
                type(dialog, "txtKey", QStringLiteral("D")); // another row's key
                click(dialog, "btnOK");
                QVERIFY(dialog->isVisible());
                dialog->close();
            }
        });
        click(&list, "btnEdit");

        QCOMPARE(edit.opened, 1);
        QCOMPARE(rowsWhileOpen, 4);
        QCOMPARE(boxesWhileOpen, (QStringList{"Gamma", "C", "/srv/c/", "3"}));
        QCOMPARE(model->rowCount(), 5);
        click(&list, "btnClose");
        QList<QByteArray> expected = savedFiveGroups();
        expected[2] = third;
        QCOMPARE(lines(readFile(env->groupFile())), expected);
    }

    void deleteRow_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<bool>("betaSaved");
        QTest::newRow("yes, then cancel") << true << "btnCancel" << 4 << true;
        QTest::newRow("no, then save") << false << "btnClose" << 5 << true;
        QTest::newRow("yes, then save") << true << "btnClose" << 4 << false;
    }

    // DELETE asks first; its effect reaches the file only through SAVE, and
    // the tree is rebuilt either way.
    void deleteRow()
    {
        QFETCH(bool, yes);
        QFETCH(QString, finish);
        QFETCH(int, rowsLeft);
        QFETCH(bool, betaSaved);
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        QSignalSpy tree(&list, &frmPathMain::groupTreeChanged);
        list.show();
        selectRow(&list, 1);
        boxes->answer(yes ? QMessageBox::Yes : QMessageBox::No);
        click(&list, "btnDelete");

        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.first().text, QStringLiteral("Do you wish to delete: Beta ?"));
        QCOMPARE(boxes->seen.first().title, QStringLiteral("Delete Warning"));
        QCOMPARE(boxes->seen.first().icon, QMessageBox::Critical);
        QCOMPARE(child<QTreeView>(&list, "ListView1")->model()->rowCount(), rowsLeft);

        click(&list, finish.toLatin1().constData());
        QList<QByteArray> expected = savedFiveGroups();
        if (!betaSaved)
            expected.removeAt(1);
        if (finish == u"btnCancel")
            QCOMPARE(readFile(env->groupFile()), fiveGroups);
        else
            QCOMPARE(lines(readFile(env->groupFile())), expected);
        QCOMPARE(tree.size(), 1);
    }

    void editAndDeleteWithoutSelectionDoNothing()
    {
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        list.show();
        WhenOpen<QDialog> anyDialog([](QDialog *dialog) { dialog->reject(); });
        click(&list, "btnEdit");
        click(&list, "btnDelete");
        QCOMPARE(anyDialog.opened, 0);
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(child<QTreeView>(&list, "ListView1")->model()->rowCount(), 5);
    }

    void addFromList_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("then save") << true;
        QTest::newRow("then window frame") << false;
    }

    // ADD hands its group to the list as the last row; only SAVE writes it.
    void addFromList()
    {
        QFETCH(bool, save);
        QVERIFY(writeFile(env->groupFile(), fiveGroups));
        frmPathMain list;
        QSignalSpy tree(&list, &frmPathMain::groupTreeChanged);
        list.show();
        WhenOpen<frmPathAdd> add([](frmPathAdd *dialog) {
            type(dialog, "txtName", QStringLiteral("Zeta"));
            type(dialog, "txtKey", QStringLiteral("Z"));
            type(dialog, "txtPath", QStringLiteral("/srv/z"));
            click(dialog, "btnOK");
        });
        click(&list, "btnAdd");
        QCOMPARE(add.opened, 1);
        QCOMPARE(child<QTreeView>(&list, "ListView1")->model()->rowCount(), 6);

        if (save)
            click(&list, "btnClose");
        else
            list.close();
        QCOMPARE(tree.size(), 1);
        QCOMPARE(readFile(env->groupFile()),
                 save ? QByteArray(savedFiveGroups().join('\n') + "\n\"Zeta\",\"/srv/z/\",\"Z\",\"2\"\r\n")
                      : fiveGroups);
    }

    // A table cut inside a line is shown as far as it reads, with the error,
    // and SAVE stays off so that the file is not cut down further.
    void unreadableTableIsNotSaved()
    {
        const QByteArray cut = fiveGroups + "\"Zeta\",\"/srv/z/\"";
        QVERIFY(writeFile(env->groupFile(), cut));
        frmPathMain list;
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.first().text, QStringLiteral("62 -- Input past end of file"));
        QCOMPARE(child<QTreeView>(&list, "ListView1")->model()->rowCount(), 5);
        QVERIFY(!child<QPushButton>(&list, "btnClose")->isEnabled());
        list.show();
        click(&list, "btnCancel");
        QCOMPARE(readFile(env->groupFile()), cut);
    }

    // When the table cannot be written, its error is shown and the dialog
    // stays open with what the user entered.
    void writeFailureKeepsDialogsOpen()
    {
        // A file where the table's folder should be: nothing can be written.
        QVERIFY(writeFile(env->configDir() + QStringLiteral("/System"), "not a folder"));

        frmPathMain list;
        QSignalSpy tree(&list, &frmPathMain::groupTreeChanged);
        list.show();
        click(&list, "btnClose");
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.last().text, QStringLiteral("76 -- Path not found"));
        QVERIFY(list.isVisible());
        QCOMPARE(tree.size(), 0);

        frmPathAddPopUp popUp;
        QSignalSpy popUpTree(&popUp, &frmPathAddPopUp::groupTreeChanged);
        popUp.show();
        type(&popUp, "txtName", QStringLiteral("n"));
        type(&popUp, "txtKey", QStringLiteral("k"));
        type(&popUp, "txtPath", QStringLiteral("/srv/x"));
        click(&popUp, "btnOK");
        QCOMPARE(boxes->seen.size(), 2);
        QCOMPARE(boxes->seen.last().text, QStringLiteral("76 -- Path not found"));
        QVERIFY(popUp.isVisible());
        QCOMPARE(child<QLineEdit>(&popUp, "txtName")->text(), QStringLiteral("n"));
        QCOMPARE(popUpTree.size(), 0);
    }
};

QTEST_MAIN(TestGroupDialogs)
#include "tst_groupdialogs.moc"
