#pragma once

#include <QString>

#include <functional>

namespace zelvora {

// The workstation as the server knows it. The login asks the identity seam
// first (tests fix the identity there) and falls back to these.

QString BilgisayarAdiAl(); // host name, at most 15 characters; empty when unknown
QString KullaniciAdiAl();  // the login name; empty when unknown
QString IcIpAl();          // first IPv4 address of the host name, else "127.0.0.1"
QString DisIpAl();         // always "127.0.0.1": no lookup is made
QString DiskSeriNoAl();    // serial number of the first physical disk, upper case; empty when unreadable
QString MacAdresiAl();     // first adapter address that is not all zeros, "00-1A-2B-3C-4D-5E"; or empty
// The disk serial, else the adapter address, trimmed and without blanks. May be empty.
QString BilgisayarIdAl();

// The pieces behind the routines above, over folders given by the caller so
// they can be tried on a machine of any shape.

// "00:1a:2b:3c:4d:5e" (as the kernel writes it) or six raw bytes in hex, to
// "00-1A-2B-3C-4D-5E"; empty for anything that is not six octets.
QString MacAdresiBicimle(const QString &address);
// The first adapter under `netFolder` (laid out like /sys/class/net) by
// interface index, loopback and all-zero addresses skipped.
QString MacAdresiAl(const QString &netFolder);
// The first physical disk under `blockFolder` (laid out like /sys/block) by
// name; its serial from sysfs, else from udev's records under `udevDataFolder`.
QString DiskSeriNoAl(const QString &blockFolder, const QString &udevDataFolder);
// The identifier from a disk serial, asking for the adapter address only
// when the serial is blank.
QString BilgisayarIdOlustur(const QString &diskSeriNo, const std::function<QString()> &macAdresi);

} // namespace zelvora
