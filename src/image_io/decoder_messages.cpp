#include "image_io/decoder_messages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

#include <QByteArray>

namespace pictavo {

namespace {

// The PNG library's prefixes say nothing the program's line does not.
QString Plain(QString message) {
  for (const QLatin1String prefix :
       {QLatin1String("libpng error: "), QLatin1String("libpng warning: ")}) {
    if (message.startsWith(prefix)) return message.mid(prefix.size());
  }
  return message.trimmed();
}

// What is read back of standard error while decoding: enough for a reason.
constexpr qsizetype MaxCaptured = 4096;

}  // namespace

DecoderMessages::DecoderMessages(bool take_standard_error)
    : previous_(qInstallMessageHandler(&DecoderMessages::Handle)) {
  current_ = this;
  if (!take_standard_error || keep_standard_error_) return;
  // Standard error goes into an unnamed file for the while; should that
  // fail, the messages are printed as before and only the line loses them.
  std::fflush(stderr);
  captured_ = ::memfd_create("pictavo-decoder-messages", MFD_CLOEXEC);
  if (captured_ >= 0) saved_stderr_ = ::dup(STDERR_FILENO);
  if (saved_stderr_ < 0 || ::dup2(captured_, STDERR_FILENO) < 0) {
    if (saved_stderr_ >= 0) ::close(saved_stderr_);
    if (captured_ >= 0) ::close(captured_);
    saved_stderr_ = captured_ = -1;
  }
}

DecoderMessages::~DecoderMessages() {
  if (saved_stderr_ >= 0) {
    std::fflush(stderr);
    ::dup2(saved_stderr_, STDERR_FILENO);
    ::close(saved_stderr_);
    ::close(captured_);
  }
  qInstallMessageHandler(previous_);
  current_ = nullptr;
}

QString DecoderMessages::Written() const {
  if (captured_ < 0) return {};
  std::fflush(stderr);
  QByteArray text(MaxCaptured, '\0');
  const ssize_t got = ::pread(captured_, text.data(), static_cast<size_t>(text.size()), 0);
  if (got <= 0) return {};
  text.truncate(got);
  return QString::fromLocal8Bit(text.left(text.indexOf('\n')));
}

QString DecoderMessages::First() const {
  // The PNG library writes only why it gave up; its warnings came before.
  const QString written = Written();
  return written.isEmpty() ? first_ : Plain(written);
}

void DecoderMessages::Handle(QtMsgType type, const QMessageLogContext& context,
                             const QString& message) {
  DecoderMessages* self = current_;
  if (self && type != QtCriticalMsg && type != QtFatalMsg) {
    if (type == QtWarningMsg && self->first_.isEmpty()) {
      self->first_ = Plain(message);
      self->from_jpeg_ = context.category && qstrcmp(context.category, "qt.gui.imageio.jpeg") == 0;
    }
    return;
  }
  if (self && self->previous_) self->previous_(type, context, message);
}

}  // namespace pictavo
