#include "search/ui/ByteText.h"

#include <string>

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0 when the byte there starts none.
size_t Utf8SequenceLength(std::string_view bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

QString DisplayString(std::string_view bytes) {
  size_t firstHigh = 0;
  while (firstHigh < bytes.size() && static_cast<unsigned char>(bytes[firstHigh]) < 0x80) ++firstHigh;
  if (firstHigh == bytes.size()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

  QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(firstHigh));
  text.reserve(static_cast<qsizetype>(bytes.size()));
  size_t at = firstHigh;
  while (at < bytes.size()) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
      text += QChar(lead);
      ++at;
      continue;
    }
    const size_t length = Utf8SequenceLength(bytes, at);
    if (length == 0) {
      text += QChar(lead);
      ++at;
      continue;
    }
    text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
    at += length;
  }
  return text;
}

std::string EngineString(const QString& text) { return text.toStdString(); }
