#pragma once

#include <QString>

#include <exception>

namespace zelvora {

// The text a user is shown for an error: our own errors carry it as they were
// raised (server messages included); anything else says what it can.
QString HataMetni(std::exception_ptr error);

// The application's general error handler: the error's text in the standard
// error box, on the UI thread (a worker waits until it has been closed).
// Whoever catches an error that nobody else handles brings it here; Qt's
// event loop must never see it.
void GenelHataGoster(std::exception_ptr error);

} // namespace zelvora
