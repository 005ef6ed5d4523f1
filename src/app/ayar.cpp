#include "app/ayar.h"

#include "service/klasorler.h"

#include <QFile>
#include <QLoggingCategory>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace zelvora {

namespace {

Q_LOGGING_CATEGORY(lcAyar, "zelvora.ayar", QtWarningMsg)

const QString &bolumAdi()
{
    static const QString name = QStringLiteral("kullanici");
    return name;
}

const QString &isimAnahtari()
{
    static const QString key = QStringLiteral("isim");
    return key;
}

const QString &sifreAnahtari()
{
    static const QString key = QStringLiteral("sifre");
    return key;
}

const QString &hatirlaAnahtari()
{
    static const QString key = QStringLiteral("hatırla");
    return key;
}

// INI names compare without regard to case, as Windows' profile functions did.
bool ayniAd(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList satirlariOku(const QString &dosya, bool *var = nullptr)
{
    QFile file(dosya);
    if (var)
        *var = file.exists();
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "[name]" gives name; anything else an empty text.
QString bolumBasligi(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool anahtarDegeri(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    *value = t.mid(eq + 1).trimmed();
    return true;
}

// The file is written next to its final place and renamed over it, so a
// crash or a full disk never leaves half a file; the temporary one is the
// owner's alone from its first byte.
bool dosyayaYaz(const QString &dosya, const QByteArray &bytes)
{
    const QString temp = dosya + QStringLiteral(".yeni");
    QFile::remove(temp);
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        qCWarning(lcAyar) << "cannot create" << temp << file.errorString();
        return false;
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    if (!written) {
        qCWarning(lcAyar) << "cannot write" << temp;
        QFile::remove(temp);
        return false;
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(dosya).constData()) != 0) {
        qCWarning(lcAyar) << "cannot replace" << dosya << std::strerror(errno);
        QFile::remove(temp);
        return false;
    }
    return true;
}

} // namespace

QString AyarDosyasi()
{
    const QString folder = AyarKlasoru();
    if (folder.isEmpty())
        return QString();
    return folder + QStringLiteral("/ayar.ini");
}

AyarKaydi AyarOku(const QString &dosya)
{
    AyarKaydi ayar;
    if (dosya.isEmpty())
        return ayar;
    bool inSection = false;
    for (const QString &line : satirlariOku(dosya)) {
        const QString section = bolumBasligi(line);
        if (!section.isEmpty()) {
            inSection = ayniAd(section, bolumAdi());
            continue;
        }
        QString key, value;
        if (!inSection || !anahtarDegeri(line, &key, &value))
            continue;
        if (ayniAd(key, isimAnahtari())) {
            ayar.isim = value;
        } else if (ayniAd(key, sifreAnahtari())) {
            ayar.sifre = value;
        } else if (ayniAd(key, hatirlaAnahtari())) {
            bool ok = false;
            const int n = value.toInt(&ok);
            ayar.hatirla = !ok || n != 0;
        }
    }
    return ayar;
}

AyarKaydi AyarOku()
{
    return AyarOku(AyarDosyasi());
}

bool AyarKaydet(const QString &dosya, const AyarKaydi &ayar)
{
    if (dosya.isEmpty())
        return false;
    const QList<std::pair<QString, QString>> values = {
        {isimAnahtari(), ayar.isim},
        {sifreAnahtari(), ayar.sifre},
        {hatirlaAnahtari(), ayar.hatirla ? QStringLiteral("1") : QStringLiteral("0")},
    };
    auto valueLine = [](const std::pair<QString, QString> &kv) -> QString {
        return kv.first + QLatin1Char('=') + kv.second;
    };

    // Other sections and keys stay as they were; ours are replaced in place,
    // or added at the end of the section.
    QStringList out;
    QList<bool> done(values.size(), false);
    bool inSection = false;
    bool sectionSeen = false;
    auto closeSection = [&] {
        if (!inSection)
            return;
        // Keep the blank lines that separated the section from the next one after our keys.
        qsizetype at = out.size();
        while (at > 0 && out.at(at - 1).trimmed().isEmpty())
            --at;
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (!done[i])
                out.insert(at++, valueLine(values[i]));
            done[i] = true;
        }
        inSection = false;
    };
    for (const QString &line : satirlariOku(dosya)) {
        const QString section = bolumBasligi(line);
        if (!section.isEmpty()) {
            closeSection();
            if (ayniAd(section, bolumAdi()) && !sectionSeen) {
                inSection = true;
                sectionSeen = true;
            }
            out << line;
            continue;
        }
        QString key, value;
        if (inSection && anahtarDegeri(line, &key, &value)) {
            bool ours = false;
            for (qsizetype i = 0; i < values.size(); ++i) {
                if (ayniAd(key, values[i].first)) {
                    ours = true;
                    if (!done[i])
                        out << valueLine(values[i]);
                    done[i] = true;
                }
            }
            if (ours)
                continue;
        }
        out << line;
    }
    closeSection();
    if (!sectionSeen) {
        if (!out.isEmpty() && !out.last().trimmed().isEmpty())
            out << QString();
        out << QLatin1Char('[') + bolumAdi() + QLatin1Char(']');
        for (const auto &kv : values)
            out << valueLine(kv);
    }
    return dosyayaYaz(dosya, (out.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

bool AyarKaydet(const AyarKaydi &ayar)
{
    return AyarKaydet(AyarDosyasi(), ayar);
}

} // namespace zelvora
