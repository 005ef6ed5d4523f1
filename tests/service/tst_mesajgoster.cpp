#include "scriptedseams.h"

#include "service/errorhandler.h"
#include "service/mesajgoster.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace zelvora;

namespace {

QStringList texts(const QList<QPushButton *> &buttons)
{
    QStringList result;
    for (const QPushButton *b : buttons)
        result << b->text();
    return result;
}

// Runs the real modal dialog; `act` gets the dialog once it is up.
int runModal(const MesajIstegi &request, std::function<void(TMesajForm *)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        auto *form = qobject_cast<TMesajForm *>(QApplication::activeModalWidget());
        if (!form) {
            qWarning("no message dialog is up");
            return;
        }
        act(form);
    });
    return MesajFormuCalistir(request);
}

} // namespace

class TestMesajGoster : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void captionAndSoundByKind_data();
    void captionAndSoundByKind();
    void buttonSets_data();
    void buttonSets();
    void questionWithNoAsDefault();
    void formFocusesTheDefaultButton();
    void formShowsTextAsPlainText();
    void eachButtonGivesItsResult_data();
    void eachButtonGivesItsResult();
    void escapeAndCloseBox();
    void helpDoesNotClose();
    void centredOnItsOwner();
    void fromAWorkerShownOnTheUiThread();
    void plainMessageFromAWorker();
    void realBoxesShowTextAsPlainText_data();
    void realBoxesShowTextAsPlainText();
    void realSeamRunsTheTurkishDialog();

private:
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestMesajGoster::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestMesajGoster::cleanup()
{
    m_seams.reset();
}

void TestMesajGoster::captionAndSoundByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<SystemSound>("sound");
    QTest::newRow("0 warning") << 0 << QStringLiteral("Uyarı") << SystemSound::Exclamation;
    QTest::newRow("1 error") << 1 << QStringLiteral("Hata") << SystemSound::Error;
    QTest::newRow("2 information") << 2 << QStringLiteral("Bilgi") << SystemSound::Information;
    QTest::newRow("3 question") << 3 << QStringLiteral("Soru") << SystemSound::Question;
}

void TestMesajGoster::captionAndSoundByKind()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(SystemSound, sound);

    QCOMPARE(MesajGoster(QStringLiteral("Metin"), kind, 4, 2), int(mrOk));
    QCOMPARE(m_seams->dialogs().size(), 1);
    const MesajIstegi request = m_seams->dialogs().constFirst();
    QCOMPARE(request.caption, caption);
    QCOMPARE(request.text, QStringLiteral("Metin"));
    QCOMPARE(request.kind, kind);
    QCOMPARE(m_seams->sounds(), QList<SystemSound>{sound});

    const TMesajForm form(request);
    QCOMPARE(form.windowTitle(), caption);
}

void TestMesajGoster::buttonSets_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("focus");
    QTest::newRow("4: OK only") << 4 << 2 << QStringList{QStringLiteral("Tamam")} << 2;
    QTest::newRow("3: yes and no, default yes")
        << 3 << 0 << QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")} << 0;
    QTest::newRow("3: yes and no, default no")
        << 3 << 1 << QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")} << 1;
    QTest::newRow("OK and cancel") << (4 | 8) << 3
                                   << QStringList{QStringLiteral("Tamam"), QStringLiteral("Vazgeç")} << 3;
    QTest::newRow("every button")
        << 0x7FF << 9
        << QStringList{QStringLiteral("Evet"),        QStringLiteral("Hayır"), QStringLiteral("Tamam"),
                       QStringLiteral("Vazgeç"),      QStringLiteral("İptal"), QStringLiteral("Tekrar"),
                       QStringLiteral("Atla"),        QStringLiteral("Tümü"),  QStringLiteral("Tümüne Hayır"),
                       QStringLiteral("Tümüne Evet"), QStringLiteral("Yardım")}
        << 9;
    QTest::newRow("default not in the set: OK")
        << (4 | 8) << 0 << QStringList{QStringLiteral("Tamam"), QStringLiteral("Vazgeç")} << 2;
    QTest::newRow("abort, retry, ignore")
        << (16 | 32 | 64) << 7
        << QStringList{QStringLiteral("İptal"), QStringLiteral("Tekrar"), QStringLiteral("Atla")} << 5;
    QTest::newRow("empty set still closable") << 0 << 0 << QStringList{QStringLiteral("Tamam")} << 2;
}

void TestMesajGoster::buttonSets()
{
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QStringList, captions);
    QFETCH(int, focus);

    const MesajIstegi request = MesajIstegiHazirla(QStringLiteral("Metin"), 2, buttons, defaultButton);
    QCOMPARE(request.buttonCaptions(), captions);
    QCOMPARE(request.focusButton, focus);

    const TMesajForm form(request);
    QCOMPARE(texts(form.buttons()), captions);
    QVERIFY(form.button(focus));
    QVERIFY(form.button(focus)->isDefault());
}

void TestMesajGoster::questionWithNoAsDefault()
{
    m_seams->dialogAnswer = mrYes;
    QCOMPARE(MesajGoster(QStringLiteral("Sepetteki satır silinsin mi?"), 3, 3, 1), int(mrYes));
    const MesajIstegi request = m_seams->dialogs().constFirst();
    QCOMPARE(request.caption, QStringLiteral("Soru"));
    QCOMPARE(request.buttonCaptions(), (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
    QCOMPARE(request.focusButton, int(mbNo));
    QCOMPARE(request.button(request.focusButton)->caption, QStringLiteral("Hayır"));

    m_seams->dialogAnswer = mrNone; // the focused button answers
    QCOMPARE(MesajGoster(QStringLiteral("Sepetteki satır silinsin mi?"), 3, 3, 1), int(mrNo));
}

void TestMesajGoster::formFocusesTheDefaultButton()
{
    TMesajForm form(MesajIstegiHazirla(QStringLiteral("Sepetteki satır silinsin mi?"), 3, 3, 1));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QCOMPARE(form.windowTitle(), QStringLiteral("Soru"));
    QCOMPARE(texts(form.buttons()), (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
    QCOMPARE(QApplication::focusWidget(), form.button(mbNo));
    QCOMPARE(form.button(mbNo)->text(), QStringLiteral("Hayır"));
    // "Hayır" leads the tab order; "Evet" follows it.
    QTest::keyClick(&form, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.button(mbYes));
}

void TestMesajGoster::formShowsTextAsPlainText()
{
    const QString text = QStringLiteral("<b>Sunucu</b> & <i>cevap</i>\r\nikinci satır");
    const TMesajForm form(MesajIstegiHazirla(text, 1, 4, 2));
    bool found = false;
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        if (label->text().startsWith(QStringLiteral("<b>"))) {
            found = true;
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->text(), QStringLiteral("<b>Sunucu</b> & <i>cevap</i>\nikinci satır"));
        }
    }
    QVERIFY(found);
}

void TestMesajGoster::eachButtonGivesItsResult_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Evet") << int(mbYes) << int(mrYes);
    QTest::newRow("Hayır") << int(mbNo) << int(mrNo);
    QTest::newRow("Tamam") << int(mbOK) << int(mrOk);
    QTest::newRow("Vazgeç") << int(mbCancel) << int(mrCancel);
    QTest::newRow("İptal") << int(mbAbort) << int(mrAbort);
    QTest::newRow("Tekrar") << int(mbRetry) << int(mrRetry);
    QTest::newRow("Atla") << int(mbIgnore) << int(mrIgnore);
    QTest::newRow("Tümü") << int(mbAll) << int(mrAll);
    QTest::newRow("Tümüne Hayır") << int(mbNoToAll) << int(mrNoToAll);
    QTest::newRow("Tümüne Evet") << int(mbYesToAll) << int(mrYesToAll);
}

void TestMesajGoster::eachButtonGivesItsResult()
{
    QFETCH(int, button);
    QFETCH(int, result);
    const MesajIstegi request = MesajIstegiHazirla(QStringLiteral("Metin"), 3, 0x7FF, 0);
    QCOMPARE(runModal(request, [button](TMesajForm *form) { form->button(button)->click(); }), result);
}

void TestMesajGoster::escapeAndCloseBox()
{
    const MesajIstegi question = MesajIstegiHazirla(QStringLiteral("Çıkmak istiyor musunuz?"), 3, 3, 0);
    QCOMPARE(runModal(question, [](TMesajForm *form) { QTest::keyClick(form, Qt::Key_Escape); }), int(mrNo));
    QCOMPARE(runModal(question, [](TMesajForm *form) { form->close(); }), int(mrCancel));

    const MesajIstegi withCancel = MesajIstegiHazirla(QStringLiteral("Metin"), 3, 1 | 2 | 8, 0);
    QCOMPARE(runModal(withCancel, [](TMesajForm *form) { QTest::keyClick(form, Qt::Key_Escape); }),
             int(mrCancel));

    const MesajIstegi okOnly = MesajIstegiHazirla(QStringLiteral("Metin"), 0, 4, 2);
    QCOMPARE(runModal(okOnly, [](TMesajForm *form) { QTest::keyClick(form, Qt::Key_Return); }), int(mrOk));
}

void TestMesajGoster::helpDoesNotClose()
{
    const MesajIstegi request = MesajIstegiHazirla(QStringLiteral("Metin"), 2, 4 | 1024, 2);
    const int result = runModal(request, [](TMesajForm *form) {
        form->button(mbHelp)->click();
        QVERIFY(form->isVisible());
        form->button(mbOK)->click();
    });
    QCOMPARE(result, int(mrOk));
}

void TestMesajGoster::centredOnItsOwner()
{
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto *inner = new QWidget(&owner);

    QPoint ownerCentre = owner.frameGeometry().center();
    QPoint dialogCentre;
    QWidget *parent = nullptr;
    const int result =
        runModal(MesajIstegiHazirla(QStringLiteral("Metin"), 2, 4, 2, inner), [&](TMesajForm *form) {
            parent = form->parentWidget();
            dialogCentre = form->frameGeometry().center();
            form->button(mbOK)->click();
        });
    QCOMPARE(result, int(mrOk));
    QCOMPARE(parent, &owner);
    QVERIFY2((dialogCentre - ownerCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("dialog centre %1,%2; owner centre %3,%4")
                            .arg(dialogCentre.x())
                            .arg(dialogCentre.y())
                            .arg(ownerCentre.x())
                            .arg(ownerCentre.y())));
}

void TestMesajGoster::fromAWorkerShownOnTheUiThread()
{
    m_seams->dialogAnswer = mrYes;
    std::atomic<int> answer = -1;
    std::thread worker([&answer] { answer = MesajGoster(QStringLiteral("Devam edilsin mi?"), 3, 3, 0); });
    QTRY_VERIFY_WITH_TIMEOUT(answer != -1, 10000);
    worker.join();
    QCOMPARE(answer.load(), int(mrYes));
    QCOMPARE(m_seams->dialogThreads(), QList<QThread *>{qApp->thread()});
}

void TestMesajGoster::plainMessageFromAWorker()
{
    std::atomic<bool> done = false;
    std::thread worker([&done] {
        ShowMessage(QStringLiteral("Connection refused"));
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    worker.join();
    QCOMPARE(m_seams->messages(), QStringList{QStringLiteral("Connection refused")});
    QCOMPARE(m_seams->messageThreads(), QList<QThread *>{qApp->thread()});
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestMesajGoster::realBoxesShowTextAsPlainText_data()
{
    QTest::addColumn<bool>("errorBox");
    QTest::newRow("plain message box") << false;
    QTest::newRow("standard error box") << true;
}

void TestMesajGoster::realBoxesShowTextAsPlainText()
{
    QFETCH(bool, errorBox);
    m_seams.reset(); // the real boxes
    const QString text = QStringLiteral("<img src=x> Sunucu & <b>bağlantı</b>");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    QTimer::singleShot(0, qApp, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = box->text();
        format = box->textFormat();
        for (const QAbstractButton *b : box->buttons())
            buttons << b->text();
        box->buttons().constFirst()->click();
    });
    if (errorBox)
        GenelHataGoster(std::make_exception_ptr(std::runtime_error(text.toStdString())));
    else
        ShowMessage(text);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons, QStringList{QStringLiteral("Tamam")});
}

void TestMesajGoster::realSeamRunsTheTurkishDialog()
{
    m_seams.reset();
    QString caption;
    QStringList buttons;
    QTimer::singleShot(0, qApp, [&] {
        auto *form = qobject_cast<TMesajForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        caption = form->windowTitle();
        buttons = texts(form->buttons());
        form->button(mbYes)->click();
    });
    QCOMPARE(MesajGoster(QStringLiteral("Programdan çıkılsın mı?"), 3, 3, 0), int(mrYes));
    QCOMPARE(caption, QStringLiteral("Soru"));
    QCOMPARE(buttons, (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
}

QTEST_MAIN(TestMesajGoster)
#include "tst_mesajgoster.moc"
