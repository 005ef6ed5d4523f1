#include "wire/catalogue.h"
#include "wire/codec.h"
#include "wire/errors.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace zelvora;
using namespace zelvora::wire;

namespace {

Table everyKind()
{
    Table t;
    t.define({{QStringLiteral("METIN"), FieldKind::Text, 50},
              {QStringLiteral("SAYI"), FieldKind::Integer},
              {QStringLiteral("BUYUK"), FieldKind::LargeInt},
              {QStringLiteral("ORAN"), FieldKind::Float},
              {QStringLiteral("PARA"), FieldKind::Currency},
              {QStringLiteral("ONDALIK"), FieldKind::Bcd},
              {QStringLiteral("VAR"), FieldKind::Boolean},
              {QStringLiteral("TARIH"), FieldKind::DateTime},
              {QStringLiteral("NOT"), FieldKind::Memo},
              {QStringLiteral("RESIM"), FieldKind::Bytes}});
    for (int r = 0; r < 20; ++r) {
        t.append();
        if (r % 7 != 3) { // leave some rows null
            t.field(0).setValue(QStringLiteral("ŞİŞE %1 ğüıöç").arg(r));
            t.field(1).setValue(-r * 1000);
            t.field(2).setValue(qint64(1) << (r + 30));
            t.field(3).setValue(r / 3.0);
            t.field(4).setValue(r * 1.25);
            t.field(5).setValue(r * 0.1);
            t.field(6).setValue(r % 2 == 0);
            t.field(7).setValue(QDateTime(QDate(2026, 1, 1 + r), QTime(r, 0)));
            t.field(8).setValue(QString(r * 10, QLatin1Char('x')));
            t.field(9).setValue(QByteArray(r, char(r)));
        }
        t.post();
    }
    return t;
}

QByteArray payloadOf(const QByteArray &frame)
{
    return frame.mid(HeaderSize);
}

void compareTables(const Table &a, const Table &b)
{
    QCOMPARE(a.fieldCount(), b.fieldCount());
    QCOMPARE(a.recordCount(), b.recordCount());
    for (int c = 0; c < a.fieldCount(); ++c) {
        QCOMPARE(a.column(c).name(), b.column(c).name());
        QCOMPARE(a.column(c).kind(), b.column(c).kind());
        QCOMPARE(a.column(c).def().size, b.column(c).def().size);
        for (qsizetype r = 0; r < a.recordCount(); ++r)
            QCOMPARE(a.value(r, c), b.value(r, c));
    }
}

} // namespace

class TestCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requestRoundTrip();
    void responseCarriesEveryKind();
    void emptyTableKeepsColumns();
    void errorRoundTrip();
    void badHeaders_data();
    void badHeaders();
    void malformedPayloads_data();
    void malformedPayloads();
    void mutatedPayloadsNeverCrash();
    void catalogueIsConsistent();
};

void TestCodec::requestRoundTrip()
{
    Request req;
    req.command = QStringLiteral("TServerMethods1.StokAraGetir");
    req.user = QStringLiteral("KULLANICI");
    req.params = {Value::text(QStringLiteral(" FRE ")), Value::object(QByteArrayLiteral("null"))};
    const QByteArray frame = encodeRequest(req);
    QCOMPARE(parseHeader(frame, DefaultRequestLimit), quint32(frame.size() - HeaderSize));
    const Message m = decodePayload(payloadOf(frame));
    QCOMPARE(m.type, MessageType::Request);
    QCOMPARE(m.request.command, req.command);
    QCOMPARE(m.request.user, req.user);
    QVERIFY(m.request.password.isEmpty());
    QCOMPARE(m.request.params.size(), 2);
    QCOMPARE(m.request.params[0].asText(), QStringLiteral(" FRE "));
    QCOMPARE(m.request.params[1].asObjectJson(), QByteArrayLiteral("null"));
}

void TestCodec::responseCarriesEveryKind()
{
    const Table t = everyKind();
    const Values values{Value(),
                        Value::text(QStringLiteral("Ğ")),
                        Value::int32(-7),
                        Value::int64(Q_INT64_C(1) << 40),
                        Value::real(2.675),
                        Value::boolean(true),
                        Value::object(QByteArrayLiteral("{\"type\":\"x\"}")),
                        Value::table(t),
                        Value::stream(QByteArray("\x00\xff\x10", 3))};
    const Message m = decodePayload(payloadOf(encodeResponse(values)));
    QCOMPARE(m.type, MessageType::Response);
    QCOMPARE(m.values.size(), values.size());
    QVERIFY(m.values[0].isNull());
    QCOMPARE(m.values[1].asText(), QStringLiteral("Ğ"));
    QCOMPARE(m.values[2].asInt32(), -7);
    QCOMPARE(m.values[3].asInt64(), Q_INT64_C(1) << 40);
    QCOMPARE(m.values[4].asDouble(), 2.675);
    QCOMPARE(m.values[5].asBool(), true);
    QCOMPARE(m.values[6].asObjectJson(), QByteArrayLiteral("{\"type\":\"x\"}"));
    compareTables(t, *m.values[7].asTable());
    QCOMPARE(m.values[8].asStream(), QByteArray("\x00\xff\x10", 3));
    QVERIFY(m.values[7].asTable()->column(0).isNull(3));
    QVERIFY_THROWS_EXCEPTION(WireError, m.values[2].asText());
}

void TestCodec::emptyTableKeepsColumns()
{
    Table t;
    t.define({{QStringLiteral("ID"), FieldKind::Integer}, {QStringLiteral("ADI"), FieldKind::Text, 30}});
    QByteArray bytes;
    appendTable(bytes, t);
    const Table back = decodeTable(bytes);
    QVERIFY(back.active());
    QCOMPARE(back.recordCount(), 0);
    QCOMPARE(back.fieldCount(), 2);
    QCOMPARE(back.column(1).def().size, 30);
}

void TestCodec::errorRoundTrip()
{
    const Message m =
        decodePayload(payloadOf(encodeError(QStringLiteral("EDatabaseError"), QStringLiteral("kilitli"))));
    QCOMPARE(m.type, MessageType::Error);
    QCOMPARE(m.errorClass, QStringLiteral("EDatabaseError"));
    QCOMPARE(m.errorMessage, QStringLiteral("kilitli"));
}

void TestCodec::badHeaders_data()
{
    QTest::addColumn<QByteArray>("header");
    QByteArray good = encodeResponse({Value::int32(1)}).left(HeaderSize);
    QByteArray magic = good;
    magic[0] = 'X';
    QByteArray version = good;
    version[4] = 9;
    QByteArray zero = good;
    std::memset(zero.data() + 8, 0, 4);
    QByteArray huge = good;
    std::memset(huge.data() + 8, 0xff, 4);
    QTest::newRow("short") << good.left(5);
    QTest::newRow("magic") << magic;
    QTest::newRow("version") << version;
    QTest::newRow("empty payload") << zero;
    QTest::newRow("over the limit") << huge;
}

void TestCodec::badHeaders()
{
    QFETCH(QByteArray, header);
    QVERIFY_THROWS_EXCEPTION(WireError, parseHeader(header, DefaultRequestLimit));
}

void TestCodec::malformedPayloads_data()
{
    QTest::addColumn<QByteArray>("payload");
    const QByteArray good = payloadOf(encodeResponse({Value::table(everyKind())}));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("unknown message type") << QByteArray("\x09", 1);
    QTest::newRow("truncated table") << good.left(good.size() / 2);
    QTest::newRow("trailing bytes") << good + QByteArray("x");
    QTest::newRow("unknown value tag") << QByteArray("\x02\x01\x00\x2a", 4);
    QTest::newRow("bad boolean") << QByteArray("\x02\x01\x00\x05\x07", 5);
    // One column of kind 99.
    QTest::newRow("unknown column kind") << QByteArray("\x02\x01\x00\x07\x01\x00\x00\x00\x01\x00\x00\x00"
                                                       "A"
                                                       "\x63\x00\x00\x00\x00\x00\x00\x00\x00",
                                                       21);
    // One text column claiming four billion rows.
    QTest::newRow("absurd row count") << QByteArray("\x02\x01\x00\x07\x01\x00\x00\x00\x01\x00\x00\x00"
                                                    "A"
                                                    "\x01\x00\x00\x00\x00\xff\xff\xff\xff",
                                                    21);
    QTest::newRow("stream longer than payload")
        << QByteArray("\x02\x01\x00\x08\xff\x00\x00\x00\x00\x00\x00\x00", 12);
    QTest::newRow("text longer than payload") << QByteArray("\x02\x01\x00\x01\xff\xff\x00\x00", 8);
}

void TestCodec::malformedPayloads()
{
    QFETCH(QByteArray, payload);
    QVERIFY_THROWS_EXCEPTION(WireError, decodePayload(payload));
}

void TestCodec::mutatedPayloadsNeverCrash()
{
    const QByteArray good =
        payloadOf(encodeResponse({Value::table(everyKind()), Value::text(QStringLiteral("a"))}));
    QRandomGenerator rng(42);
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray p = good;
        const int flips = 1 + int(rng.bounded(4));
        for (int f = 0; f < flips; ++f)
            p[int(rng.bounded(quint32(p.size())))] = char(rng.bounded(256));
        if (rng.bounded(4) == 0)
            p.truncate(int(rng.bounded(quint32(p.size()))));
        try {
            decodePayload(p);
        } catch (const WireError &) {
            ++refused;
        }
    }
    QVERIFY(refused > 0);
}

void TestCodec::catalogueIsConsistent()
{
    QCOMPARE(int(catalogue().size()), 50);
    const Operation *op = findOperation(QStringLiteral("TServerMethods1.SepetEkle2"));
    QVERIFY(op);
    QCOMPARE(op->inputCount(), 14);
    QCOMPARE(findOperation(QStringLiteral("RaporGetir"))->inputCount(), 7);
    QCOMPARE(findOperation(QStringLiteral("RaporGetir"))->outputCount(), 1);
    QVERIFY(!findOperation(QStringLiteral("TServerMethods1.Yok")));
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
