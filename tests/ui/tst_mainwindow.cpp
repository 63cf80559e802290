// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/MainWindow.h"

#include "MessageBoxAnswer.h"
#include "TestEnv.h"
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/PreviewPane.h"

#include <QAction>
#include <QWebEnginePage>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString temp, recycle, other;

    std::unique_ptr<frmMain> openWindow()
    {
        auto window = std::make_unique<frmMain>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        return window;
    }

    QTreeWidgetItem *node(frmMain &w, const QString &key)
    {
        for (int i = 0; i < w.folderTree()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = w.folderTree()->topLevelItem(i);
            if (item->data(0, Qt::UserRole).toString() == key)
                return item;
        }
        return nullptr;
    }

    int rowOf(frmMain &w, const QString &name)
    {
        for (int r = 0; r < w.fileListModel()->rowCount(); ++r) {
            if (w.fileListModel()->index(r, 0).data().toString() == name)
                return r;
        }
        return -1;
    }

    void selectRow(frmMain &w, int row)
    {
        w.fileList()->setCurrentIndex(w.fileListModel()->index(row, 0));
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        temp = env->makeDir(QStringLiteral("temp"));
        recycle = env->makeDir(QStringLiteral("trash"));
        other = env->makeDir(QStringLiteral("other"));
        writeFile(temp + QStringLiteral("/a.txt"), "hello");
        writeFile(temp + QStringLiteral("/b.exe"), QByteArray(20, 'b'));
        writeFile(temp + QStringLiteral("/sub/c.log"), QByteArray(7, 'c'));
        writeFile(recycle + QStringLiteral("/gone.txt"), "x");
        writeFile(other + QStringLiteral("/keep.txt"), "keep");
        SaveGroups({{QStringLiteral("Temp files"), temp + u'/', QStringLiteral("Temp"), QStringLiteral("10")},
                    {QStringLiteral("Trash"), recycle + u'/', QStringLiteral("Recycle"), QStringLiteral("7")},
                    {QStringLiteral("Other"), other + u'/', QStringLiteral("Other"), QStringLiteral("3")}});
    }

    void cleanup() { env.reset(); }

    void firstStartWritesDefaults()
    {
        QFile::remove(env->groupFile());
        writeFile(reportPath(), "old report line\r\n");
        auto w = openWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("Sweepora"));
        QCOMPARE(w->folderTree()->topLevelItemCount(), 6);
        QCOMPARE(w->folderTree()->topLevelItem(0)->text(0), QStringLiteral("Temporary Files"));
        QCOMPARE(w->fileListModel()->columnCount(), 5);
        QCOMPARE(w->fileListModel()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Modified"));
        QCOMPARE(w->fileListModel()->rowCount(), 1);
        QCOMPARE(w->fileListModel()->index(0, 0).data().toString(), QStringLiteral("SELECT FOLDER"));
        QCOMPARE(w->fileListModel()->index(0, 1).data().toString(), QStringLiteral("------"));
        QCOMPARE(readFile(reportPath()), QByteArray()); // emptied at every start
        QCOMPARE(LoadGroups().complete.size(), 6);
    }

    void clickListsThenOnlyToggles()
    {
        auto w = openWindow();
        QTreeWidgetItem *tempNode = node(*w, QStringLiteral("Temp"));
        QVERIFY(tempNode);
        QCOMPARE(w->nodeImage(tempNode), 10);

        w->FolderTree_NodeClick(tempNode);
        QCOMPARE(w->nodeImage(tempNode), frmMain::CheckedImage);
        QCOMPARE(w->fileListModel()->rowCount(), 3);
        QCOMPARE(w->filesTotalText(), QStringLiteral("4 Files found in 2 Directories"));
        QCOMPARE(w->filesTotalSpaceText(),
                 QStringLiteral("Size of files found under %1/ = 32 bytes").arg(temp));
        QCOMPARE(w->fileListModel()->index(rowOf(*w, QStringLiteral("b.exe")), 1).data().toString(),
                 QStringLiteral("20 bytes"));

        w->FolderTree_NodeClick(tempNode); // same group again: only the mark goes
        QCOMPARE(w->nodeImage(tempNode), 10);
        QCOMPARE(w->fileListModel()->rowCount(), 3);

        // With "View Files" off a click only toggles the mark; the toolbar
        // button and the menu item share one check mark.
        w->Toolbar1_ButtonClick(QStringLiteral("View"));
        QVERIFY(!w->viewAction()->isChecked());
        QTreeWidgetItem *otherNode = node(*w, QStringLiteral("Other"));
        w->FolderTree_NodeClick(otherNode);
        QCOMPARE(w->nodeImage(otherNode), frmMain::CheckedImage);
        QCOMPARE(w->fileListModel()->rowCount(), 3);
        w->Toolbar1_ButtonClick(QStringLiteral("View"));
        QVERIFY(w->viewAction()->isChecked());
    }

    void keyboardActsAsAClick_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }

    void keyboardActsAsAClick()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        auto w = openWindow();
        QTreeWidget *tree = w->folderTree();
        tree->setFocus();
        QTreeWidgetItem *tempNode = node(*w, QStringLiteral("Temp"));
        tree->setCurrentItem(tempNode);

        QTest::keyClick(tree, Qt::Key(key), modifiers);
        QCOMPARE(w->nodeImage(tempNode), frmMain::CheckedImage);
        QCOMPARE(w->fileListModel()->rowCount(), 3);
        QCOMPARE(w->filesTotalText(), QStringLiteral("4 Files found in 2 Directories"));

        QTest::keyClick(tree, Qt::Key(key), modifiers); // again: only the mark goes
        QCOMPARE(w->nodeImage(tempNode), 10);
    }

    void hotTrackingUnderFusion()
    {
        auto w = openWindow();
        QTreeWidget *tree = w->folderTree();
        QVERIFY(QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0);
        QWidget *viewport = tree->viewport();
        const QRect item = tree->visualItemRect(node(*w, QStringLiteral("Other")));
        const QPoint away = tree->visualItemRect(node(*w, QStringLiteral("Temp"))).center();

        QTest::mouseMove(viewport, away);
        QCoreApplication::processEvents();
        const QImage cold = viewport->grab(item).toImage();
        QTest::mouseMove(viewport, item.center());
        QCoreApplication::processEvents();
        const QImage hot = viewport->grab(item).toImage();
        QVERIFY2(hot != cold, "nothing changes under the mouse");
        QTest::mouseMove(viewport, away);
        QCoreApplication::processEvents();
        QCOMPARE(viewport->grab(item).toImage(), cold);
    }

    void groupGoneFromTheTableListsNothing()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        SaveGroups({{QStringLiteral("Other"), other + u'/', QStringLiteral("Other"), QStringLiteral("3")}});
        QTreeWidgetItem *trash = node(*w, QStringLiteral("Recycle"));
        w->FolderTree_NodeClick(trash);
        QCOMPARE(w->nodeImage(trash), frmMain::CheckedImage); // the mark still toggles
        QCOMPARE(w->fileListModel()->rowCount(), 3);          // the Temp listing stays
        QCOMPARE(w->filesTotalSpaceText(), QStringLiteral("Size of files found under %1/ = 32 bytes").arg(temp));
    }

    void headerClickSelectsAllWithoutSorting()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        QStringList before;
        for (int r = 0; r < w->fileListModel()->rowCount(); ++r)
            before << w->fileListModel()->index(r, 0).data().toString();
        emit w->fileList()->header()->sectionClicked(1);
        QCOMPARE(w->fileList()->selectionModel()->selectedRows().size(), 3);
        for (int r = 0; r < before.size(); ++r)
            QCOMPARE(w->fileListModel()->index(r, 0).data().toString(), before.at(r));
    }

    void previewOnlyKnownEndings()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        selectRow(*w, rowOf(*w, QStringLiteral("a.txt")));
        w->ListView1_Click();
        QCOMPARE(w->previewPane()->currentFile(), temp + QStringLiteral("/a.txt"));
        selectRow(*w, rowOf(*w, QStringLiteral("b.exe")));
        w->ListView1_Click();
        QCOMPARE(w->previewPane()->currentFile(), temp + QStringLiteral("/a.txt"));
    }

    void documentsGetANoteNotADownload()
    {
        auto w = openWindow();
        writeFile(temp + QStringLiteral("/letter.doc"), QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8) + QByteArray(600, 0));
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        selectRow(*w, rowOf(*w, QStringLiteral("letter.doc")));
        w->ListView1_Click();
        QCOMPARE(w->previewPane()->currentFile(), temp + QStringLiteral("/letter.doc"));
        QString text;
        QTRY_VERIFY_WITH_TIMEOUT(
            (w->previewPane()->page()->toPlainText([&text](const QString &t) { text = t; }),
             text.contains(QStringLiteral("No preview for this kind of file"))),
            30000);
        QVERIFY(text.contains(QStringLiteral("letter.doc")));
    }

    void deleteSingleFile()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        const QString status = w->filesTotalText();

        BoxAnswerer boxes;
        boxes.answer(QMessageBox::No);
        selectRow(*w, rowOf(*w, QStringLiteral("b.exe")));
        w->deleteSelectedFile();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].title, QStringLiteral("Delete Warning"));
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Do you wish to delete the file: %1/b.exe ?").arg(temp));
        QVERIFY(QFile::exists(temp + QStringLiteral("/b.exe")));
        QCOMPARE(w->fileListModel()->rowCount(), 3);

        boxes.answer(QMessageBox::Yes);
        w->deleteSelectedFile();
        QVERIFY(!QFile::exists(temp + QStringLiteral("/b.exe")));
        QCOMPARE(w->fileListModel()->rowCount(), 2);
        QCOMPARE(w->filesTotalText(), status);

        // A file held open by a running program is refused with the LOCKED box.
        QFile held(temp + QStringLiteral("/a.txt"));
        QVERIFY(held.open(QIODevice::ReadOnly));
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
        selectRow(*w, rowOf(*w, QStringLiteral("a.txt")));
        w->deleteSelectedFile();
        QCOMPARE(boxes.seen.size(), 4);
        QCOMPARE(boxes.seen[3].title, QStringLiteral("Delete Error!"));
        QCOMPARE(boxes.seen[3].text,
                 QStringLiteral("This file is LOCKED by the system and can't be deleted at this time"));
        QVERIFY(QFile::exists(temp + QStringLiteral("/a.txt")));
        QCOMPARE(w->fileListModel()->rowCount(), 2);
    }

    void recycleRowsRefuse()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Recycle")));
        BoxAnswerer boxes;
        selectRow(*w, 0);
        w->deleteSelectedFile();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].title, QStringLiteral("Delete Information"));
        QVERIFY(QFile::exists(recycle + QStringLiteral("/gone.txt")));
    }

    void splitterDragMovesPanesOnRelease()
    {
        auto w = openWindow();
        w->resize(900, 680);
        QCoreApplication::processEvents();
        auto *splitter = w->findChild<QWidget *>(QStringLiteral("imgSplitter"));
        auto *bar = w->findChild<QWidget *>(QStringLiteral("picSplit"));
        QVERIFY(splitter && bar);
        const int treeWidth = w->folderTree()->width();
        const float tpp = 1440.0f / float(w->logicalDpiX());

        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(2, 10));
        QVERIFY(bar->isVisible());
        // Far to the left: the bar stops 1500 twips from the window's edge.
        QMouseEvent move(QEvent::MouseMove, QPointF(-2000, 10), splitter->mapToGlobal(QPointF(-2000, 10)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(splitter, &move);
        QCOMPARE(w->folderTree()->width(), treeWidth); // nothing moves before the release
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(-2000, 10));
        QVERIFY(!bar->isVisible());
        QCOMPARE(w->folderTree()->width(), int((1500 - 45) / tpp));
        QCOMPARE(w->fileList()->x(), int(1500 / tpp));

        w->resize(901, 680); // the next resize restores the proportions
        QCoreApplication::processEvents();
        QVERIFY(w->folderTree()->width() > int(1500 / tpp));
    }

    // The question tells what the run would delete; afterwards a refused
    // group is named with the reason, and the other groups are cleaned.
    void cleaningTellsTotalsAndRefusedGroups()
    {
        SaveGroups({{QStringLiteral("Temp files"), temp + u'/', QStringLiteral("Temp"), QStringLiteral("10")},
                    {QStringLiteral("Relative"), QStringLiteral("rel/"), QStringLiteral("Rel"), QStringLiteral("3")}});
        auto w = openWindow();
        BoxAnswerer boxes;
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::No);
        w->btnDelAll_Click();
        QCOMPARE(boxes.seen.size(), 4);
        QCOMPARE(boxes.seen[0].title, QStringLiteral("DELETE ALERT"));
        QVERIFY2(boxes.seen[0].details.contains(QStringLiteral("Temp: 3 files, 32 bytes")), qPrintable(boxes.seen[0].details));
        QCOMPARE(boxes.seen[1].text, QStringLiteral("Operation Complete"));
        QCOMPARE(boxes.seen[2].icon, QMessageBox::Warning);
        QVERIFY2(boxes.seen[2].text.contains(QStringLiteral("Group Rel: \"rel/\" is not a full path")),
                 qPrintable(boxes.seen[2].text));
        QVERIFY(!QFile::exists(temp + QStringLiteral("/a.txt")));
    }

    // The splitters see every event of their widget; only mouse events are
    // read as such (the undefined-behaviour build checks the casts).
    void splittersPassOtherEventsOn()
    {
        auto w = openWindow();
        for (const char *name : {"imgSplitter", "HImgSplitter"}) {
            auto *splitter = w->findChild<QWidget *>(QLatin1String(name));
            QVERIFY(splitter);
            QEvent leave(QEvent::Leave);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QWheelEvent wheel(QPointF(2, 2), splitter->mapToGlobal(QPointF(2, 2)), {}, QPoint(0, 120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            for (QEvent *event : std::initializer_list<QEvent *>{&leave, &key, &wheel})
                QApplication::sendEvent(splitter, event);
        }
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("picSplit"))->isVisible());
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("HPicSplit"))->isVisible());
    }

    void afterCleaningTheNoteReadsInFull()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp"))); // short names: a narrow column would do
        selectRow(*w, rowOf(*w, QStringLiteral("a.txt")));
        w->ListView1_Click();
        QCOMPARE(w->previewPane()->currentFile(), temp + QStringLiteral("/a.txt"));
        BoxAnswerer boxes;
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::No);
        w->btnDelAll_Click();
        QCOMPARE(w->fileListModel()->index(0, 0).data().toString(), QStringLiteral("FOLDERS CLEAN"));
        // The preview no longer shows a deleted file: it shows the report.
        QTRY_COMPARE(w->previewPane()->url(), QUrl::fromLocalFile(reportPath()));
        const QFontMetrics metrics = w->fileList()->fontMetrics();
        const QRect cell = w->fileList()->visualRect(w->fileListModel()->index(0, 0));
        QVERIFY2(cell.width() > metrics.horizontalAdvance(QStringLiteral("FOLDERS CLEAN")),
                 qPrintable(QString::number(cell.width())));
    }

    void columnsStayInView_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("folder");
        QTest::newRow("short name") << QStringLiteral("a.txt") << qint64(5) << QString();
        QTest::newRow("long name") << QString(200, u'n') + QStringLiteral(".txt") << qint64(5) << QString();
        QTest::newRow("ten-digit size") << QStringLiteral("big.iso") << qint64(5368709120) << QString();
        QTest::newRow("long path") << QStringLiteral("a.txt") << qint64(5)
                                   << QStringLiteral("%1/%1/%1/%1/%1").arg(QString(60, u'd'));
    }

    void columnsStayInView()
    {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, folder);
        const QString dir = env->makeDir(folder.isEmpty() ? QStringLiteral("listed") : QStringLiteral("listed/") + folder);
        {
            QFile file(dir + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(size)); // sparse: no room taken on the disk
        }
        SaveGroups({{QStringLiteral("Listed"), dir + u'/', QStringLiteral("Listed"), QStringLiteral("3")}});

        auto w = openWindow(); // at its default size
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Listed")));
        QCOMPARE(w->fileListModel()->rowCount(), 1);

        // All five columns are in the list's view, none pushed out.
        const QHeaderView *header = w->fileList()->header();
        const int viewport = w->fileList()->viewport()->width();
        for (int column = 0; column < 5; ++column) {
            const int right = header->sectionViewportPosition(column) + header->sectionSize(column);
            QVERIFY2(header->sectionViewportPosition(column) >= 0 && right <= viewport,
                     qPrintable(QStringLiteral("column %1 ends at %2 of %3").arg(column).arg(right).arg(viewport)));
        }
        // The size is never cut.
        const QFontMetrics metrics = w->fileList()->fontMetrics();
        const QString sizeText = w->fileListModel()->index(0, 1).data().toString();
        QCOMPARE(sizeText, QString::number(size) + QStringLiteral(" bytes"));
        QVERIFY(header->sectionSize(1) > metrics.horizontalAdvance(sizeText));

        // The status line gives way in the path, never in the total.
        const auto *line = w->findChild<QLabel *>(QStringLiteral("FilesTotalSpaceText"));
        QVERIFY(line);
        const QString full = w->filesTotalSpaceText();
        const QString total = full.mid(full.lastIndexOf(QStringLiteral(" = ")));
        QVERIFY2(line->text().endsWith(total), qPrintable(line->text()));
        QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) <= line->contentsRect().width(),
                 qPrintable(line->text()));
        QCOMPARE(line->accessibleName(), full); // read in full by a screen reader
    }

    void smallestWindowKeepsTheStatusTextClear()
    {
        auto w = openWindow();
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        w->resize(200, 150);
        QCoreApplication::processEvents();
        QVERIFY(w->width() > 200 && w->height() > 150);
        const auto *text = w->findChild<QLabel *>(QStringLiteral("FilesTotalText"));
        const auto *progress = w->findChild<QWidget *>(QStringLiteral("ProgressBar1"));
        QVERIFY(text && progress);
        const int textRight = text->mapTo(w.get(), QPoint(text->fontMetrics().horizontalAdvance(text->text()), 0)).x();
        const QRect bar(progress->mapTo(w.get(), QPoint(0, 0)), progress->size());
        const QRect line(text->mapTo(w.get(), QPoint(0, 0)), text->size());
        QVERIFY2(!bar.intersects(line) || bar.left() > textRight, "the progress bar covers the status text");
    }

    void splittersMoveFromTheKeyboard()
    {
        auto w = openWindow();
        auto *vertical = w->findChild<QLabel *>(QStringLiteral("imgSplitter"));
        auto *horizontal = w->findChild<QLabel *>(QStringLiteral("HImgSplitter"));
        QVERIFY(vertical && horizontal);
        QVERIFY(vertical->focusPolicy() & Qt::TabFocus);
        QVERIFY(horizontal->focusPolicy() & Qt::TabFocus);
        QVERIFY(!vertical->accessibleName().isEmpty());
        QVERIFY(!horizontal->accessibleName().isEmpty());

        const int treeWidth = w->folderTree()->width();
        QTest::keyClick(vertical, Qt::Key_Right);
        QVERIFY(w->folderTree()->width() > treeWidth);
        QCOMPARE(w->fileList()->x(), vertical->x() + vertical->width());
        QTest::keyClick(vertical, Qt::Key_Left);
        QTest::keyClick(vertical, Qt::Key_Left);
        QVERIFY(w->folderTree()->width() < treeWidth);
        for (int i = 0; i < 200; ++i) // held against the limit of a drag
            QTest::keyClick(vertical, Qt::Key_Left);
        const float tpp = 1440.0f / static_cast<float>(w->logicalDpiX());
        QVERIFY(w->folderTree()->width() >= int(1400 / tpp));

        const int treeHeight = w->folderTree()->height();
        const int previewTop = w->previewPane()->y();
        QTest::keyClick(horizontal, Qt::Key_Down);
        QVERIFY(w->folderTree()->height() > treeHeight);
        QVERIFY(w->previewPane()->y() > previewTop);
        QTest::keyClick(horizontal, Qt::Key_Up);
        QCOMPARE(w->folderTree()->height(), treeHeight);
    }

    void cleanSelectedGroups()
    {
        auto w = openWindow();
        BoxAnswerer boxes;
        // No: nothing changes.
        boxes.answer(QMessageBox::No);
        w->btnDelAll_Click();
        QVERIFY(QFile::exists(temp + QStringLiteral("/a.txt")));
        QCOMPARE(w->fileListModel()->index(0, 0).data().toString(), QStringLiteral("SELECT FOLDER"));

        // Mark only the temporary files and clean the marked groups.
        w->FolderTree_NodeClick(node(*w, QStringLiteral("Temp")));
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::No);
        w->btnDelSelected_Click();
        QCOMPARE(boxes.seen.size(), 4);
        QCOMPARE(boxes.seen[1].title, QStringLiteral("DELETE ALERT"));
        QCOMPARE(boxes.seen[1].defaultButton, QMessageBox::Yes);
        QCOMPARE(boxes.seen[2].text, QStringLiteral("Operation Complete"));
        QCOMPARE(boxes.seen[2].title, QStringLiteral("Folders Cleaned"));
        QCOMPARE(boxes.seen[3].text, QStringLiteral("Do you want to view the deleted files report?"));
        QCOMPARE(boxes.seen[3].title, QStringLiteral("Sweepora"));

        QVERIFY(QDir(temp).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
        QVERIFY(QDir(temp).exists());
        QVERIFY(QFile::exists(other + QStringLiteral("/keep.txt")));
        QCOMPARE(w->fileListModel()->rowCount(), 1);
        QCOMPARE(w->fileListModel()->index(0, 0).data().toString(), QStringLiteral("FOLDER CLEAN"));
        QCOMPARE(w->filesTotalText(), QString());
        const QByteArray report = readFile(reportPath());
        QVERIFY(report.contains((temp + QStringLiteral("/sub/c.log")).toUtf8()));
        QCOMPARE(report.count("\r\n"), 3);

        // Mark all, then give every node its own icon back.
        w->btnSelectAll_Click();
        QCOMPARE(w->nodeImage(node(*w, QStringLiteral("Other"))), frmMain::CheckedImage);
        w->btnUnCheckAll_Click();
        QCOMPARE(w->nodeImage(node(*w, QStringLiteral("Other"))), 3);
        QCOMPARE(w->nodeImage(node(*w, QStringLiteral("Temp"))), 10);
    }

    // A report that cannot be written (here a link in its place) is not
    // written through; after "Operation Complete" the window says why.
    void cleaningWithoutItsReportSaysSo()
    {
        const QString precious = env->root() + QStringLiteral("/precious");
        QVERIFY(writeFile(precious, "keep me"));
        auto w = openWindow();
        QFile::remove(reportPath());
        QVERIFY(QFile::link(precious, reportPath()));
        BoxAnswerer boxes;
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::Ok);
        boxes.answer(QMessageBox::No);
        w->btnDelAll_Click();
        QCOMPARE(boxes.seen.size(), 4);
        QCOMPARE(boxes.seen[1].text, QStringLiteral("Operation Complete"));
        QVERIFY2(boxes.seen[2].text.contains(reportPath()), qPrintable(boxes.seen[2].text));
        QCOMPARE(boxes.seen[2].icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen[3].text, QStringLiteral("Do you want to view the deleted files report?"));
        QVERIFY(!QFile::exists(temp + QStringLiteral("/a.txt")));
        QCOMPARE(readFile(precious), QByteArray("keep me"));
    }

    // Without a usable configuration folder the window says which and why,
    // and reads no table at the root of the file system.
    void unusableConfigFolderIsShown()
    {
        const QString notAFolder = env->root() + QStringLiteral("/config-file");
        QVERIFY(writeFile(notAFolder, "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
        BoxAnswerer boxes(QMessageBox::Ok);
        auto w = openWindow();
        QTRY_COMPARE(boxes.seen.size(), 1);
        QVERIFY2(boxes.seen[0].text.contains(notAFolder), qPrintable(boxes.seen[0].text));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(w->folderTree()->topLevelItemCount(), 0);
        QCOMPARE(readFile(notAFolder), QByteArray("x"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion")); // the style Qt picks where the desktop names none
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
