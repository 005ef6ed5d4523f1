#include "scriptedseams.h"

#include "service/arkada.h"
#include "service/connection.h"
#include "service/errorhandler.h"
#include "service/uithread.h"

#include <QApplication>
#include <QSemaphore>
#include <QTest>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace zelvora;

class TestArkada : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void continuationRunsOnTheUiThreadAfterTheProcedure();
    void continuationWaitsForTheEventLoop();
    void errorIsShownAfterTheContinuation_data();
    void errorIsShownAfterTheContinuation();
    void errorInTheContinuationReachesTheHandler();
    void continuationForAClosedWindowIsDropped();
    void closuresLiveUntilTheContinuationHasRun();
    void runOnUiThreadWaitsAndCarriesResultsAndErrors();
    void postToUiThreadDoesNotWait();
    void generalHandlerFromAWorkerShowsOnTheUiThread();

private:
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestArkada::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestArkada::cleanup()
{
    m_seams.reset();
}

void TestArkada::continuationRunsOnTheUiThreadAfterTheProcedure()
{
    QStringList steps;
    QThread *procThread = nullptr;
    QThread *contThread = nullptr;
    bool done = false;
    ArkadaCalistir([&] {
        procThread = QThread::currentThread();
        steps << QStringLiteral("proc");
    })->Await([&] {
        contThread = QThread::currentThread();
        steps << QStringLiteral("cont");
        done = true;
    });
    QTRY_VERIFY(done);
    QCOMPARE(steps, (QStringList{QStringLiteral("proc"), QStringLiteral("cont")}));
    QVERIFY(procThread != qApp->thread());
    QCOMPARE(contThread, qApp->thread());
    QVERIFY(m_seams->errors().isEmpty());
}

void TestArkada::continuationWaitsForTheEventLoop()
{
    // Even a procedure that is over at once has its continuation queued, never
    // run inside the caller.
    std::atomic<bool> procDone = false;
    bool contDone = false;
    ArkadaCalistir([&] { procDone = true; })->Await([&] { contDone = true; });
    // Waiting here must not turn the event loop, or the continuation would run.
    for (int i = 0; i < 10000 && !procDone; ++i)
        QThread::msleep(1);
    QVERIFY(procDone);
    QThread::msleep(20);
    QVERIFY(!contDone);
    QTRY_VERIFY(contDone);
}

void TestArkada::errorIsShownAfterTheContinuation_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("text");
    QTest::newRow("std::runtime_error") << 0 << QStringLiteral("Sunucu cevap vermedi: ıİşŞğĞ");
    QTest::newRow("ConnectionError") << 1 << QStringLiteral("Bağlantı açık değil");
    QTest::newRow("not an exception class") << 2 << QStringLiteral("Beklenmeyen hata");
}

void TestArkada::errorIsShownAfterTheContinuation()
{
    QFETCH(int, which);
    QFETCH(QString, text);
    bool afterThrow = false;
    bool contDone = false;
    ArkadaCalistir([&] {
        switch (which) {
        case 0:
            throw std::runtime_error(text.toStdString());
        case 1:
            throw ConnectionError(text);
        default:
            throw 42;
        }
        afterThrow = true;
    })->Await([&] {
        // The page is restored before the user hears about the error.
        QVERIFY(m_seams->errors().isEmpty());
        contDone = true;
    });
    QTRY_VERIFY(!m_seams->errors().isEmpty());
    QVERIFY(contDone);
    QVERIFY(!afterThrow);
    QCOMPARE(m_seams->errors(), QStringList{text});
    QCOMPARE(m_seams->errorThreads(), QList<QThread *>{qApp->thread()});
}

void TestArkada::errorInTheContinuationReachesTheHandler()
{
    bool contDone = false;
    ArkadaCalistir([] { throw std::runtime_error("işlem"); })->Await([&] {
        contDone = true;
        throw std::runtime_error("devam");
    });
    QTRY_COMPARE(m_seams->errors().size(), 2);
    QVERIFY(contDone);
    QCOMPARE(m_seams->errors(), (QStringList{QStringLiteral("devam"), QStringLiteral("işlem")}));
}

void TestArkada::continuationForAClosedWindowIsDropped()
{
    QSemaphore release;
    std::atomic<bool> procDone = false;
    bool contRun = false;
    auto *window = new QObject;
    ArkadaCalistir([&] {
        release.acquire();
        procDone = true;
        throw std::runtime_error("pencere kapandı");
    })->Await(window, [&] { contRun = true; });
    delete window;
    release.release();

    QTRY_VERIFY(procDone);
    // The procedure's own error still reaches the user.
    QTRY_COMPARE(m_seams->errors(), QStringList{QStringLiteral("pencere kapandı")});
    QVERIFY(!contRun);
}

void TestArkada::closuresLiveUntilTheContinuationHasRun()
{
    auto token = std::make_shared<int>(7);
    std::weak_ptr<int> watch = token;
    int seen = 0;
    bool done = false;
    ArkadaCalistir([token] { *token += 1; })->Await([token, &seen, &done] {
        seen = *token;
        done = true;
    });
    token.reset(); // only the closures hold it now
    QVERIFY(!watch.expired());
    QTRY_VERIFY(done);
    QCOMPARE(seen, 8);
    QTRY_VERIFY(watch.expired());
}

void TestArkada::runOnUiThreadWaitsAndCarriesResultsAndErrors()
{
    QCOMPARE(runOnUiThread([] { return QThread::currentThread(); }), qApp->thread());

    std::atomic<bool> done = false;
    QThread *ranOn = nullptr;
    int value = 0;
    QString caught;
    std::thread worker([&] {
        value = runOnUiThread([&ranOn] {
            ranOn = QThread::currentThread();
            return 41 + 1;
        });
        try {
            runOnUiThreadAndWait([] { throw std::runtime_error("arayüzde hata"); });
        } catch (const std::runtime_error &e) {
            caught = QString::fromUtf8(e.what());
        }
        done = true;
    });
    QTRY_VERIFY(done);
    worker.join();
    QCOMPARE(ranOn, qApp->thread());
    QCOMPARE(value, 42);
    QCOMPARE(caught, QStringLiteral("arayüzde hata"));
}

void TestArkada::postToUiThreadDoesNotWait()
{
    QSemaphore posted;
    QThread *ranOn = nullptr;
    bool ran = false;
    std::thread worker([&] {
        postToUiThread([&] {
            ranOn = QThread::currentThread();
            ran = true;
        });
        posted.release();
    });
    // The worker goes on before the UI thread has looked at its queue.
    QVERIFY(posted.tryAcquire(1, 10000));
    worker.join();
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
    QCOMPARE(ranOn, qApp->thread());

    postToUiThread([] { throw std::runtime_error("kuyrukta hata"); });
    QTRY_COMPARE(m_seams->errors(), QStringList{QStringLiteral("kuyrukta hata")});
}

void TestArkada::generalHandlerFromAWorkerShowsOnTheUiThread()
{
    std::atomic<bool> done = false;
    std::thread worker([&done] {
        GenelHataGoster(std::make_exception_ptr(std::runtime_error("işçide hata")));
        done = true;
    });
    QTRY_VERIFY(done);
    worker.join();
    QCOMPARE(m_seams->errors(), QStringList{QStringLiteral("işçide hata")});
    QCOMPARE(m_seams->errorThreads(), QList<QThread *>{qApp->thread()});
    GenelHataGoster(nullptr);
    QCOMPARE(m_seams->errors().size(), 1);
}

QTEST_MAIN(TestArkada)
#include "tst_arkada.moc"
