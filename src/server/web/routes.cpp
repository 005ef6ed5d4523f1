#include "server/web/routes.h"

#include <QDateTime>
#include <QLocale>
#include <QUrl>

#include <initializer_list>
#include <limits>
#include <optional>

namespace zelvora::server {

namespace {

const QByteArray HtmlType = QByteArrayLiteral("text/html; charset=utf-8");

// Field names of the access-request form, in the order the form shows them.
// Whoever reads the stored requests sees exactly these keys, each one present.
constexpr const char *RequestFields[] = {
    "firma", "yetkili", "telefon", "eposta", "sehir", "adres", "vergidairesi", "vergino", "aciklama",
};

// Route names come from the old web site and are matched without regard to case,
// as its server did; only ASCII letters fold, so no look-alike Unicode letter can
// stand in for one.
bool samePath(const QString &path, QLatin1StringView route)
{
    if (path.size() != route.size())
        return false;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t have = path.at(i).unicode();
        const char16_t want = static_cast<unsigned char>(route.at(i).toLatin1());
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
        if (lower(have) != lower(want))
            return false;
    }
    return true;
}

QString escaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    out.replace(QLatin1Char('\''), QLatin1String("&#39;"));
    return out;
}

QString displayName(WebContent &content)
{
    const QString name = content.companyName().trimmed();
    return name.isEmpty() ? QStringLiteral("Zelvora") : name;
}

// Keys are fixed by the client's links; values go back percent-encoded so a form
// can post to the very address it was opened with.
QString queryString(const HttpRequest &request, std::initializer_list<const char *> keys)
{
    QString out;
    for (const char *key : keys) {
        out += out.isEmpty() ? QLatin1Char('?') : QLatin1Char('&');
        out += QLatin1String(key) + QLatin1Char('=') +
               QString::fromLatin1(QUrl::toPercentEncoding(request.query.value(QLatin1String(key))));
    }
    return out;
}

QString page(const QString &company, const QString &title, const QString &content)
{
    return QStringLiteral(R"(<!DOCTYPE html>
<html lang="tr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)") +
           escaped(title) + QStringLiteral(" - ") + escaped(company) + QStringLiteral(R"(</title>
<style>
body{margin:0;font-family:Arial,Helvetica,sans-serif;color:#3d414a;background:#f2f2f3}
header{background:#e20a17;color:#fff;padding:16px 24px;font-size:22px;font-weight:bold}
nav{background:#3d414a;padding:9px 24px}
nav a{color:#fff;margin-right:20px;text-decoration:none;font-size:14px}
nav a:hover{text-decoration:underline}
main{max-width:760px;margin:24px auto;background:#fff;padding:22px 28px;border-top:4px solid #e20a17}
h1{color:#e20a17;font-size:22px;margin-top:0}
a{color:#e20a17}
label{display:block;margin:12px 0 4px;font-weight:bold;font-size:14px}
input,textarea{width:100%;box-sizing:border-box;padding:8px;border:1px solid #b9bbc0;font-size:15px;color:#3d414a}
input[readonly]{background:#eceef1}
textarea{height:80px}
.row{display:flex;gap:16px}
.row>div{flex:1}
button{background:#e20a17;color:#fff;border:0;padding:10px 30px;font-size:16px;margin-top:18px;cursor:pointer}
button:hover{background:#3d414a}
table.info{border-collapse:collapse;margin-bottom:12px}
table.info td{padding:5px 14px 5px 0;border-bottom:1px solid #e3e4e6}
table.info td:first-child{font-weight:bold}
.notice{border-left:4px solid #e20a17;background:#fcefef;padding:10px 14px;margin:14px 0}
footer{text-align:center;color:#3d414a;font-size:12px;padding:18px}
</style>
</head>
<body>
<header>)") +
           escaped(company) + QStringLiteral(R"(</header>
<nav><a href="/">Ana Sayfa</a><a href="/dravello.html">Online Ödeme</a><a href="/formmailgonder.aspx">Erişim Talebi</a><a href="/exe/ZelvoraSetup.exe">Programı İndir</a></nav>
<main>
)") + content +
           QStringLiteral(R"(
</main>
<footer>)") +
           escaped(company) + QStringLiteral(R"( &middot; Otomotiv Yedek Parça Toptan Satış</footer>
</body>
</html>
)");
}

HttpResponse htmlResponse(int status, const QString &html)
{
    HttpResponse response;
    response.status = status;
    response.contentType = HtmlType;
    response.body = html.toUtf8();
    response.headers.append({QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff")});
    return response;
}

// Pages with forms hold personal or card data on the way back; no cache keeps them.
HttpResponse privateHtmlResponse(const QString &html)
{
    HttpResponse response = htmlResponse(200, html);
    response.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    return response;
}

QString errorText(int status)
{
    switch (status) {
    case 400:
        return QStringLiteral("İstek anlaşılamadı.");
    case 404:
        return QStringLiteral("Aradığınız sayfa bulunamadı.");
    case 405:
        return QStringLiteral("Bu sayfa bu istek yöntemini desteklemiyor.");
    case 408:
        return QStringLiteral("İstek zamanında tamamlanmadı.");
    case 411:
        return QStringLiteral("İsteğin uzunluğu (Content-Length) belirtilmelidir.");
    case 413:
        return QStringLiteral("Gönderilen veri izin verilenden büyük.");
    case 414:
        return QStringLiteral("İstenen adres çok uzun.");
    case 431:
        return QStringLiteral("İstek başlıkları çok büyük.");
    case 501:
        return QStringLiteral("Bu istek yöntemi desteklenmiyor.");
    case 503:
        return QStringLiteral("Sunucu şu anda çok yoğun; lütfen biraz sonra tekrar deneyin.");
    case 505:
        return QStringLiteral("Bu HTTP sürümü desteklenmiyor.");
    default:
        return QStringLiteral("Sunucuda bir hata oluştu.");
    }
}

HttpResponse errorPage(int status, const QString &company)
{
    const QString title = status == 404 ? QStringLiteral("Sayfa bulunamadı") : QStringLiteral("Hata");
    return htmlResponse(status, page(company, title,
                                     QStringLiteral("<h1>") + escaped(title) + QStringLiteral("</h1>\n<p>") +
                                         errorText(status) +
                                         QStringLiteral("</p>\n<p><a href=\"/\">Ana sayfaya dön</a></p>")));
}

HttpResponse methodNotAllowed(const QString &company, bool postAllowed)
{
    HttpResponse response = errorPage(405, company);
    response.headers.append({QByteArrayLiteral("Allow"), postAllowed ? QByteArrayLiteral("GET, HEAD, POST")
                                                                     : QByteArrayLiteral("GET, HEAD")});
    return response;
}

bool isRead(const HttpRequest &request)
{
    return request.method == "GET" || request.method == "HEAD";
}

HttpResponse homePage(WebContent &content)
{
    const QString company = displayName(content);
    return htmlResponse(200, page(company, QStringLiteral("Ana Sayfa"),
                                  QStringLiteral("<h1>") + escaped(company) + QStringLiteral(R"(</h1>
<p>Otomotiv yedek parçada geniş stok, hızlı sevkiyat ve bayilerimize özel fiyatlar.</p>
<h2>Bayi Sipariş Programı</h2>
<p>Yetkili bayilerimiz siparişlerini Zelvora B2B sipariş programı ile günün her saatinde verebilir:</p>
<ul>
<li>Güncel stok durumu ve bayiye özel fiyatlar</li>
<li>Parça resimleri, OEM numarası ve muadil araması</li>
<li>Sipariş takibi, cari hesap ekstresi ve bakiye bilgisi</li>
</ul>
<p>Programı kullanabilmek için iş istasyonunuzun tanımlı olması gerekir. Henüz erişiminiz yoksa
<a href="/formmailgonder.aspx">erişim talep formunu</a> doldurun.</p>
<p><a href="/exe/ZelvoraSetup.exe">Sipariş programını indirin</a> (demo kurulum)</p>
<p>Cari hesap ödemelerinizi <a href="/dravello.html">online ödeme sayfasından</a> kredi kartıyla yapabilirsiniz.</p>)")));
}

HttpResponse picture(const HttpRequest &request, WebContent &content)
{
    // The client asks for pictures by stock number only; anything else simply has no picture.
    const QString id = request.query.value(QStringLiteral("id"));
    bool digits = !id.isEmpty() && id.size() <= 18;
    for (const QChar c : id)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qlonglong number = digits ? id.toLongLong() : -1;
    HttpResponse response;
    response.status = 404;
    if (number < 0 || number > std::numeric_limits<int>::max())
        return response;
    const std::optional<QByteArray> jpeg = content.itemPicture(int(number));
    if (!jpeg)
        return response;
    response.status = 200;
    response.contentType = QByteArrayLiteral("image/jpeg");
    response.body = *jpeg;
    return response;
}

HttpResponse installer(WebContent &content)
{
    HttpResponse response;
    response.contentType = QByteArrayLiteral("application/octet-stream");
    response.headers.append({QByteArrayLiteral("Content-Disposition"),
                             QByteArrayLiteral("attachment; filename=\"ZelvoraSetup.exe\"")});
    response.body = content.installer();
    return response;
}

QString infoRow(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td>") + label + QStringLiteral("</td><td>") + escaped(value) +
           QStringLiteral("</td></tr>\n");
}

HttpResponse paymentPage(const HttpRequest &request, WebContent &content)
{
    const QString company = displayName(content);
    const auto key = [&](const char *name) -> QString { return request.query.value(QLatin1String(name)); };
    const QString account =
        QStringLiteral("<table class=\"info\">\n") + infoRow(QStringLiteral("Cari No"), key("carino")) +
        infoRow(QStringLiteral("Şube"), key("sube")) + infoRow(QStringLiteral("Firma"), key("firmasi")) +
        infoRow(QStringLiteral("Bakiye"), key("bakiye")) + QStringLiteral("</table>\n");

    if (request.method == "POST") {
        // No card data is kept, logged or echoed: the page only pretends to pay.
        return privateHtmlResponse(page(
            company, QStringLiteral("Online Ödeme"),
            QStringLiteral("<h1>Online Ödeme</h1>\n") + account + QStringLiteral("<table class=\"info\">\n") +
                infoRow(QStringLiteral("Girilen tutar"), request.form.value(QStringLiteral("tutar"))) +
                QStringLiteral(R"(</table>
<div class="notice"><strong>Demo:</strong> Bu ödeme sayfası yalnızca tanıtım amaçlıdır.
Kartınızdan herhangi bir ödeme alınmamıştır ve kart bilgileriniz kaydedilmemiştir.</div>
<p><a href="/">Ana sayfaya dön</a></p>)")));
    }

    const QString action =
        QStringLiteral("/dravello.html") + queryString(request, {"carino", "sube", "firmasi", "bakiye"});
    return privateHtmlResponse(page(company, QStringLiteral("Online Ödeme"),
                                    QStringLiteral("<h1>Online Ödeme</h1>\n") + account +
                                        QStringLiteral("<form method=\"post\" action=\"") + escaped(action) +
                                        QStringLiteral(R"(" autocomplete="on">
<label for="kartno">Kart Numarası</label>
<input id="kartno" name="kartno" inputmode="numeric" autocomplete="cc-number" maxlength="23" placeholder="0000 0000 0000 0000" required>
<div class="row">
<div><label for="skt">Son Kullanma Tarihi</label>
<input id="skt" name="skt" autocomplete="cc-exp" maxlength="7" placeholder="AA/YY" required></div>
<div><label for="cvc">Güvenlik Kodu (CVC)</label>
<input id="cvc" name="cvc" inputmode="numeric" autocomplete="cc-csc" maxlength="4" placeholder="123" required></div>
</div>
<label for="tutar">Ödenecek Tutar (TL)</label>
<input id="tutar" name="tutar" inputmode="decimal" maxlength="20" placeholder="0,00" required>
<button type="submit">Ödeme Yap</button>
</form>
<div class="notice">Bu sayfa demo amaçlıdır; gerçek bir ödeme alınmaz.</div>)")));
}

QString requestForm(const HttpRequest &request, const QString &company, const QString &message)
{
    // A form sent back for correction keeps what was typed; a fresh one starts empty.
    const auto value = [&](const char *name) -> QString {
        return escaped(request.form.value(QLatin1String(name)));
    };
    const auto fromQuery = [&](const char *name) -> QString {
        const QString posted = request.form.value(QLatin1String(name));
        return escaped(posted.isEmpty() ? request.query.value(QLatin1String(name)) : posted);
    };
    const auto field = [&](const char *name, const QString &label, const char *attributes) -> QString {
        return QStringLiteral("<label for=\"") + QLatin1String(name) + QStringLiteral("\">") + label +
               QStringLiteral("</label>\n<input id=\"") + QLatin1String(name) + QStringLiteral("\" name=\"") +
               QLatin1String(name) + QStringLiteral("\" value=\"") + value(name) + QStringLiteral("\" ") +
               QLatin1String(attributes) + QStringLiteral(">\n");
    };
    const auto area = [&](const char *name, const QString &label) -> QString {
        return QStringLiteral("<label for=\"") + QLatin1String(name) + QStringLiteral("\">") + label +
               QStringLiteral("</label>\n<textarea id=\"") + QLatin1String(name) +
               QStringLiteral("\" name=\"") + QLatin1String(name) + QStringLiteral("\" maxlength=\"2000\">") +
               value(name) + QStringLiteral("</textarea>\n");
    };
    const QString action =
        QStringLiteral("/formmailgonder.aspx") + queryString(request, {"carino", "kullanici", "id"});

    QString html = QStringLiteral(R"(<h1>Erişim Talep Formu</h1>
<p>Sipariş programını kullanabilmek için aşağıdaki formu doldurun. Talebiniz incelendikten sonra
bayi temsilcimiz sizinle iletişime geçecektir.</p>
)");
    if (!message.isEmpty())
        html += QStringLiteral("<div class=\"notice\">") + escaped(message) + QStringLiteral("</div>\n");
    html += QStringLiteral("<form method=\"post\" action=\"") + escaped(action) + QStringLiteral("\">\n") +
            QStringLiteral("<input type=\"hidden\" name=\"carino\" value=\"") + fromQuery("carino") +
            QStringLiteral("\">\n<input type=\"hidden\" name=\"kullanici\" value=\"") +
            fromQuery("kullanici") + QStringLiteral("\">\n");
    html += field("firma", QStringLiteral("Firma Adı"), "maxlength=\"200\" required");
    html += field("yetkili", QStringLiteral("Yetkili Kişi"), "maxlength=\"100\"");
    html += QStringLiteral("<div class=\"row\"><div>\n") +
            field("telefon", QStringLiteral("Telefon"), "type=\"tel\" maxlength=\"40\" required") +
            QStringLiteral("</div><div>\n") +
            field("eposta", QStringLiteral("E-posta"), "type=\"email\" maxlength=\"120\"") +
            QStringLiteral("</div></div>\n");
    html += field("sehir", QStringLiteral("Şehir"), "maxlength=\"60\"");
    html += area("adres", QStringLiteral("Adres"));
    html += QStringLiteral("<div class=\"row\"><div>\n") +
            field("vergidairesi", QStringLiteral("Vergi Dairesi"), "maxlength=\"80\"") +
            QStringLiteral("</div><div>\n") +
            field("vergino", QStringLiteral("Vergi Numarası"), "maxlength=\"20\"") +
            QStringLiteral("</div></div>\n");
    html += area("aciklama", QStringLiteral("Açıklama"));
    html +=
        QStringLiteral("<label for=\"id\">İş İstasyonu No</label>\n<input id=\"id\" name=\"id\" value=\"") +
        fromQuery("id") + QStringLiteral("\" readonly>\n<button type=\"submit\">Gönder</button>\n</form>");
    return page(company, QStringLiteral("Erişim Talep Formu"), html);
}

HttpResponse accessRequest(const HttpRequest &request, WebContent &content)
{
    const QString company = displayName(content);
    if (request.method != "POST")
        return privateHtmlResponse(requestForm(request, company, QString()));

    QMap<QString, QString> fields;
    bool anything = false;
    for (const char *name : RequestFields) {
        const QString value = request.form.value(QLatin1String(name));
        anything = anything || !value.trimmed().isEmpty();
        fields.insert(QLatin1String(name), value);
    }
    // The workstation, dealer and user come with the form; the address the form was
    // opened with stands in when a browser left them out.
    for (const char *name : {"id", "carino", "kullanici"}) {
        const QString posted = request.form.value(QLatin1String(name));
        fields.insert(QLatin1String(name),
                      posted.isEmpty() ? request.query.value(QLatin1String(name)) : posted);
    }
    if (!anything) {
        return privateHtmlResponse(
            requestForm(request, company, QStringLiteral("Lütfen firma ve iletişim bilgilerinizi girin.")));
    }
    content.storeWebRequest(fields);
    return privateHtmlResponse(
        page(company, QStringLiteral("Talebiniz alınmıştır"),
             QStringLiteral("<h1>Teşekkür ederiz</h1>\n<p>Talebiniz alınmıştır. "
                            "Bayi temsilcimiz en kısa sürede sizinle iletişime "
                            "geçecektir.</p>\n<table class=\"info\">\n") +
                 infoRow(QStringLiteral("Firma"), fields.value(QStringLiteral("firma"))) +
                 infoRow(QStringLiteral("İş İstasyonu No"), fields.value(QStringLiteral("id"))) +
                 QStringLiteral("</table>\n<p><a href=\"/\">Ana sayfaya dön</a></p>")));
}

} // namespace

HttpResponse routeRequest(const HttpRequest &request, WebContent &content)
{
    const QString &path = request.path;
    const bool read = isRead(request);
    if (samePath(path, QLatin1String("/")) || samePath(path, QLatin1String("/index.html")))
        return read ? homePage(content) : methodNotAllowed(displayName(content), false);
    if (samePath(path, QLatin1String("/resimgoster.ashx")))
        return read ? picture(request, content) : methodNotAllowed(displayName(content), false);
    if (samePath(path, QLatin1String("/exe/ZelvoraSetup.exe")))
        return read ? installer(content) : methodNotAllowed(displayName(content), false);
    if (samePath(path, QLatin1String("/dravello.html")))
        return paymentPage(request, content);
    if (samePath(path, QLatin1String("/formmailgonder.aspx")))
        return accessRequest(request, content);
    return errorPage(404, displayName(content));
}

HttpResponse errorResponse(int status)
{
    return errorPage(status, QStringLiteral("Zelvora"));
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 100:
        return QByteArrayLiteral("Continue");
    case 200:
        return QByteArrayLiteral("OK");
    case 400:
        return QByteArrayLiteral("Bad Request");
    case 404:
        return QByteArrayLiteral("Not Found");
    case 405:
        return QByteArrayLiteral("Method Not Allowed");
    case 408:
        return QByteArrayLiteral("Request Timeout");
    case 411:
        return QByteArrayLiteral("Length Required");
    case 413:
        return QByteArrayLiteral("Content Too Large");
    case 414:
        return QByteArrayLiteral("URI Too Long");
    case 431:
        return QByteArrayLiteral("Request Header Fields Too Large");
    case 500:
        return QByteArrayLiteral("Internal Server Error");
    case 501:
        return QByteArrayLiteral("Not Implemented");
    case 503:
        return QByteArrayLiteral("Service Unavailable");
    case 505:
        return QByteArrayLiteral("HTTP Version Not Supported");
    default:
        return QByteArrayLiteral("Unknown");
    }
}

QByteArray serializeHead(const HttpResponse &response)
{
    QByteArray head;
    head.reserve(256);
    head.append("HTTP/1.1 ").append(QByteArray::number(response.status)).append(' ');
    head.append(reasonPhrase(response.status)).append("\r\n");
    const QString date = QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                               QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    head.append("Date: ").append(date.toLatin1()).append("\r\n");
    head.append("Server: zelvora-server\r\n");
    if (!response.contentType.isEmpty())
        head.append("Content-Type: ").append(response.contentType).append("\r\n");
    head.append("Content-Length: ").append(QByteArray::number(response.body.size())).append("\r\n");
    for (const auto &[name, value] : response.headers) {
        // The framing headers are the writer's alone, and no value may break a line.
        const QByteArray lower = name.toLower();
        if (name.isEmpty() || name.contains(':') || lower == "content-length" || lower == "connection" ||
            lower == "content-type" || lower == "transfer-encoding" || name.contains('\r') ||
            name.contains('\n') || value.contains('\r') || value.contains('\n'))
            continue;
        head.append(name).append(": ").append(value).append("\r\n");
    }
    head.append("Connection: close\r\n\r\n");
    return head;
}

} // namespace zelvora::server
