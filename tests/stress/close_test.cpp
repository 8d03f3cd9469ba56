// Closing the window in the middle of a run: the program, a separate process, must exit at
// once and cleanly, both during a runaway search and while a million rows are filling.
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

namespace {

// A hang detector with a wide margin over the one second the user may wait: the sanitizer
// build's exit (the leak check over a heap of a million rows) is slower.
constexpr int EXIT_BUDGET_MS = 10000;
constexpr int START_BUDGET_MS = 60000;

} // namespace

class CloseTest : public QObject {
    Q_OBJECT
  private slots:
    void processExitsAtOnce_data();
    void processExitsAtOnce();
};

void CloseTest::processExitsAtOnce_data() {
    QTest::addColumn<QString>("scenario");
    QTest::newRow("runaway search (x+x+)+y") << "runaway";
    QTest::newRow("a million matches filling") << "million";
}

void CloseTest::processExitsAtOnce() {
    QFETCH(QString, scenario);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(CLOSE_DURING_RUN_PROGRAM), {scenario});
    QVERIFY2(program.waitForStarted(START_BUDGET_MS), qPrintable(program.errorString()));

    QByteArray closing;
    QElapsedTimer untilStart;
    untilStart.start();
    while (!program.canReadLine() && program.state() == QProcess::Running &&
           untilStart.elapsed() < START_BUDGET_MS) {
        program.waitForReadyRead(1000);
    }
    closing = program.readLine().trimmed();
    QElapsedTimer sinceClose;
    sinceClose.start();
    QCOMPARE(closing, QByteArray("closing running=1")); // the run was still under way

    QVERIFY2(program.waitForFinished(EXIT_BUDGET_MS), "the program did not exit after the close");
    const qint64 exitMs = sinceClose.elapsed();
    qInfo("%s: exited %lld ms after the close", qPrintable(scenario), exitMs);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAll().trimmed(), QByteArray("returning"));
}

QTEST_GUILESS_MAIN(CloseTest)
#include "close_test.moc"
