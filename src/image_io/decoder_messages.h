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
  // Standard error is taken only when `take_standard_error`, for the PNG
  // library, and not once KeepStandardError() was called.
  explicit DecoderMessages(bool take_standard_error);
  ~DecoderMessages();
  DecoderMessages(const DecoderMessages&) = delete;
  DecoderMessages& operator=(const DecoderMessages&) = delete;

  // The first thing said, without the PNG library's prefix; empty if nothing.
  QString First() const;
  // Whether a warning came from the JPEG decoder.
  bool FromJpeg() const { return from_jpeg_; }

  // For a fuzz target: a crash report written during a decode must reach
  // the terminal, whatever else the decoder prints.
  static void KeepStandardError() { keep_standard_error_ = true; }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);
  QString Written() const;

  static inline DecoderMessages* current_ = nullptr;
  static inline bool keep_standard_error_ = false;
  QtMessageHandler previous_;
  QString first_;
  bool from_jpeg_ = false;
  int saved_stderr_ = -1;
  int captured_ = -1;
};

}  // namespace pictavo
