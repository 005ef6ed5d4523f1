#pragma once

#include <memory>

namespace zelvora {

class Connection;

inline constexpr int BaglantiDenemeSayisi = 11;
inline constexpr int BaglantiBeklemesiMs = 500;

// Opens `connection`, trying up to 11 times 500 ms apart; true once it is
// open. Every failed attempt shows the error's own text in the plain message
// box. `mode` 1 is the loud form: after the last failure it also shows
// "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!". Any other mode is quiet
// and leaves that message to the caller. Usable on a worker: the messages
// are shown on the UI thread while the worker waits.
bool BaglantiAc(Connection &connection, int mode);

// A copy of `bagc` opened with BaglantiAc in the given mode; null when it
// could not be opened (the messages have been shown). It closes when freed.
std::unique_ptr<Connection> AcikKopya(const Connection &bagc, int mode);

} // namespace zelvora
