#pragma once

#include <QString>
#include <QtGlobal>

namespace pictavo {

// Holds back what the decoders say while one image is decoded, so that a
// refusal is one line that carries their reason: the toolkit's warnings, and
// what the PNG library writes straight to standard error when it gives up.
// The JPEG decoder reports damaged data it has filled in only as a warning,
// and still returns an image. One at a time, on the thread that decodes.
class DecoderMessages {
 public:
  DecoderMessages();
  ~DecoderMessages();
  DecoderMessages(const DecoderMessages&) = delete;
  DecoderMessages& operator=(const DecoderMessages&) = delete;

  // The first thing said, without the PNG library's prefix; empty if nothing.
  QString First() const;
  // Whether a warning came from the JPEG decoder.
  bool FromJpeg() const { return from_jpeg_; }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);
  QString Written() const;

  static inline DecoderMessages* current_ = nullptr;
  QtMessageHandler previous_;
  QString first_;
  bool from_jpeg_ = false;
  int saved_stderr_ = -1;
  int captured_ = -1;
};

}  // namespace pictavo
