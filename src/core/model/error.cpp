#include "core/model/error.h"

namespace pictavo {

std::string AsSentence(std::string_view reason) {
  std::string sentence(reason);
  if (sentence.empty()) return sentence;
  // The reasons start with a plain letter; no locale is asked.
  if (sentence[0] >= 'a' && sentence[0] <= 'z') sentence[0] -= 'a' - 'A';
  if (!sentence.ends_with('.')) sentence += '.';
  return sentence;
}

std::string CouldNotReadReason(const Error& error) { return "could not be read: " + error.message; }

}  // namespace pictavo
