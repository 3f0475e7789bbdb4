#include "FormFixture.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TMainFormUi.h"
#include "platform/ChmViewerQuery.h"
#include "platform/HelpViewer.h"
#include "platform/ui/HelpBrowser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace {
QString sourceHelpFolder()
{
    return QDir(qEnvironmentVariable("FW_SOURCE_DIR")).filePath(QStringLiteral("data/help"));
}

QString programFolder()
{
    return qEnvironmentVariable("FW_PROGRAM_DIR");
}

QStringList sourceFiles(const QStringList& patterns)
{
    return QDir(sourceHelpFolder()).entryList(patterns, QDir::Files, QDir::Name);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(cannot read ") + path.toUtf8() + ')';
    return file.readAll();
}

// Runs chmls; its banner goes to standard error, the answer to standard output.
QByteArray chmls(const QStringList& arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("chmls")), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// Local targets of a page's links, or of a contents or index file's entries.
QStringList linkTargets(const QString& text)
{
    static const QRegularExpression link(
        QStringLiteral("(?:href|<param\\s+name=\"Local\"\\s+value)=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    QStringList targets;
    for (auto match = link.globalMatch(text); match.hasNext();) {
        const QString target = match.next().captured(1);
        if (!target.contains(QLatin1Char(':')))
            targets << target;
    }
    return targets;
}

bool writeScript(const QString& path, const QString& body, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + body.toUtf8() + '\n');
    file.close();
    const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
    return file.setPermissions(executable ? readWrite | QFile::ExeOwner : readWrite);
}
} // namespace

class TestHelp final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!sourceFiles({QStringLiteral("*.html")}).isEmpty(), "FW_SOURCE_DIR has no guide");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("chmls")).isEmpty(),
                 "chmls not found (Debian package fp-utils)");
        const QString chm = programFolder() + QStringLiteral("Framewright.chm");
        QVERIFY2(QFileInfo(chm).isFile(), qPrintable(chm + " was not built"));

        const QByteArray listing =
            chmls({QStringLiteral("-n"), QStringLiteral("-p"), QStringLiteral("list"), chm});
        for (const QByteArray& line : listing.split('\n')) {
            if (line.startsWith('/'))
                m_inChm.insert(QString::fromUtf8(line.mid(1).trimmed()));
        }
        QVERIFY2(!m_inChm.isEmpty(), "chmls lists nothing");
        QVERIFY(m_extracted.isValid());
        chmls({QStringLiteral("extractall"), chm, m_extracted.path()});

        const QString toc = QString::fromUtf8(
            contents(QDir(sourceHelpFolder()).filePath(QStringLiteral("contents.hhc"))));
        for (const QString& target : linkTargets(toc))
            m_inContents.insert(target.section(QLatin1Char('#'), 0, 0));
    }

    // Every page is compiled in as it is now (a changed page must rebuild the file), copied
    // into the program folder's help/, and reachable from the table of contents.
    void page_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : sourceFiles({QStringLiteral("*.html"), QStringLiteral("*.css")}))
            QTest::newRow(qPrintable(name)) << name;
    }
    void page()
    {
        QFETCH(QString, name);
        const QByteArray source = contents(QDir(sourceHelpFolder()).filePath(name));
        QVERIFY2(m_inChm.contains(name), "not in Framewright.chm");
        QCOMPARE(contents(QDir(m_extracted.path()).filePath(name)), source);
        QCOMPARE(contents(programFolder() + QStringLiteral("help/") + name), source);
        if (name.endsWith(QLatin1String(".html")))
            QVERIFY2(m_inContents.contains(name), "not in the table of contents");
    }

    // Links between pages, and the contents and index entries, name files and anchors that
    // exist, so they work both in the CHM viewer and in a browser.
    void links_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : sourceFiles(
                 {QStringLiteral("*.html"), QStringLiteral("*.hhc"), QStringLiteral("*.hhk")}))
            QTest::newRow(qPrintable(name)) << name;
    }
    void links()
    {
        QFETCH(QString, name);
        const QDir folder(sourceHelpFolder());
        QStringList broken;
        for (const QString& target :
             linkTargets(QString::fromUtf8(contents(folder.filePath(name))))) {
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString page = file.isEmpty() ? name : file;
            if (!QFileInfo(folder.filePath(page)).isFile() || !m_inChm.contains(page)) {
                broken << target;
                continue;
            }
            const QByteArray id = "id=\"" + anchor.toUtf8() + '"';
            if (!anchor.isEmpty() && !contents(folder.filePath(page)).contains(id))
                broken << target;
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char(' '))));
    }

    void programFolderHoldsHtmlGuide()
    {
        QVERIFY(QFileInfo(programFolder() + QStringLiteral("help/index.html")).isFile());
    }

    void helpTarget_data()
    {
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QString>("htmlIndex"); // "file", "folder" or "none"
        QTest::addColumn<bool>("trailingSeparator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("viewer, HTML too") << true << "file" << true << "Framewright.chm";
        QTest::newRow("viewer, no HTML") << true << "none" << true << "Framewright.chm";
        QTest::newRow("no viewer") << false << "file" << true << "help/index.html";
        QTest::newRow("no viewer, no HTML") << false << "none" << true << "Framewright.chm";
        QTest::newRow("index.html a folder") << false << "folder" << true << "Framewright.chm";
        QTest::newRow("folder without separator") << false << "file" << false << "help/index.html";
    }
    void helpTarget()
    {
        QFETCH(bool, viewer);
        QFETCH(QString, htmlIndex);
        QFETCH(bool, trailingSeparator);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QDir dir(folder.path());
        if (htmlIndex == QLatin1String("file")) {
            QVERIFY(dir.mkpath(QStringLiteral("help")));
            QFile index(dir.filePath(QStringLiteral("help/index.html")));
            QVERIFY(index.open(QIODevice::WriteOnly));
        } else if (htmlIndex == QLatin1String("folder")) {
            QVERIFY(dir.mkpath(QStringLiteral("help/index.html")));
        }
        const QString programFolder = folder.path() + (trailingSeparator ? "/" : "");
        QCOMPARE(HelpTarget(programFolder, viewer), dir.filePath(expected));
    }

    void chmViewerQuery_data()
    {
        QTest::addColumn<QString>("program"); // empty: the script below
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("expected");
        const QString answerFor =
            QStringLiteral("[ \"$*\" = \"query default %1\" ] && echo viewer.desktop; exit 0");
        QTest::newRow("default for htmlhelp")
            << "" << answerFor.arg("application/vnd.ms-htmlhelp") << true << true;
        QTest::newRow("default for x-chm")
            << "" << answerFor.arg("application/x-chm") << true << true;
        QTest::newRow("other type only") << "" << answerFor.arg("text/html") << true << false;
        QTest::newRow("blank answer") << ""
                                      << "echo '  '" << true << false;
        QTest::newRow("answer with failure") << ""
                                             << "echo viewer.desktop; exit 1" << true << false;
        QTest::newRow("hangs") << ""
                               << "exec sleep 5" << true << false;
        QTest::newRow("not executable") << ""
                                        << "echo viewer.desktop" << false << false;
        QTest::newRow("not on PATH") << "framewright-no-such-tool"
                                     << "" << false << false;
        QTest::newRow("no such file") << "/nonexistent/xdg-mime"
                                      << "" << false << false;
    }
    void chmViewerQuery()
    {
        QFETCH(QString, program);
        QFETCH(QString, script);
        QFETCH(bool, executable);
        QFETCH(bool, expected);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (program.isEmpty()) {
            program = folder.filePath(QStringLiteral("xdg-mime"));
            QVERIFY(writeScript(program, script, executable));
        }
        ChmViewerQuery query(program, 1000);
        QList<bool> answers;
        QElapsedTimer clock;
        clock.start();
        query.whenAnswered([&](bool viewer) { answers << viewer; });
        QVERIFY2(clock.elapsed() < 500, "waited for xdg-mime");
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 3000);
        QCOMPARE(answers.first(), expected);
        QVERIFY2(clock.elapsed() < 3000, "waited past the time limit");

        // Asked once: a later Help takes the answer kept, at once.
        QFile::remove(folder.filePath(QStringLiteral("xdg-mime")));
        query.whenAnswered([&](bool viewer) { answers << viewer; });
        QCOMPARE(answers, (QList<bool>{expected, expected}));
    }

    // Where the desktop opens nothing, Help shows the pages in a window of the program's own;
    // links and keys move between them.
    void pagesInOwnWindow()
    {
        FormFixture fixture({}, [](const QString& folder) {
            QDir(folder).mkdir(QStringLiteral("help"));
            for (const QString& name : sourceFiles({QStringLiteral("*.html"), "*.css"}))
                QFile::copy(QDir(sourceHelpFolder()).filePath(name), folder + "help/" + name);
        });
        fixture.chmViewer = true;
        fixture.launcher = false;
        emit fixture.form->ui().ibtnHelp->clicked();
        HelpBrowser* window = FormFixture::helpWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QTextBrowser* page = window->brwPage;
        const auto shown = [page] { return QFileInfo(page->source().toLocalFile()).fileName(); };
        QCOMPARE(shown(), QStringLiteral("index.html"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Framewright Help"));

        QTest::keyClick(window->brwPage, Qt::Key_Tab); // its first link: the next page
        QTest::keyClick(window->brwPage, Qt::Key_Return);
        QCOMPARE(shown(), QStringLiteral("getting-started.html"));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Getting started")));
        QTest::keyClick(window->tbtnContents, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("index.html"));
        QTest::keyClick(window->brwPage, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("getting-started.html"));
        window->tbtnContents->click();
        QCOMPARE(shown(), QStringLiteral("index.html"));
        QVERIFY(window->tbtnBack->isEnabled() && !window->tbtnForward->isEnabled());
    }

private:
    QSet<QString> m_inChm;
    QSet<QString> m_inContents;
    QTemporaryDir m_extracted;
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
