#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace pv {

// Reads the comma-separated fields of the old sequential files (the two old
// device-file generations, the old settings file, the first lines of a
// sensor file), one after the other:
//  - a field ends at a comma or at a line end (CR LF, CR or LF alone);
//  - blanks and tabs before a field are skipped, after an unquoted field they
//    are dropped (unless the reader is told to keep them, see Raender);
//  - a field that begins with a double quote runs to the next double quote
//    (line ends and commas included); the quotes are not part of the value,
//    and anything between the closing quote and the next comma or line end
//    is passed over;
//  - a number is the leading number of the field with "." as decimal mark
//    (pv::val); a field without one reads as 0, as the old writer's reader did.
//    A number that does not fit the field's type is a failure;
//  - a Boolean is TRUE or FALSE, in any letter case, with or without the
//    enclosing number signs ("#TRUE#", "true"), or a number, 0 being False
//    and any other True. Any other text is a failure.
// Every read returns no value when no field is left or the field cannot be
// converted; the caller then gives up on the file.
class FeldLeser {
 public:
  // What happens to the white space around an unquoted field.
  enum class Raender {
    Kuerzen,   // blanks and tabs before it skipped, after it dropped
    Behalten,  // only blanks before it skipped; tabs, and blanks after it, stay
               // in the field (the TAB between a sensor file's two labels)
  };
  explicit FeldLeser(QString text, Raender raender = Raender::Kuerzen)
      : text_(std::move(text)), raender_(raender) {}

  std::optional<QString> text();
  std::optional<int16_t> ganzzahl();
  std::optional<float> zahl();
  std::optional<bool> wahrheitswert();

  // Back to the first field.
  void vonVorn() { pos_ = 0; }
  // The text after the fields read so far.
  QString rest() const { return text_.mid(pos_); }

 private:
  QString text_;
  Raender raender_;
  qsizetype pos_ = 0;
};

// The first field of a device file's text (the whole header line of a current
// file, which holds no comma); no value for an empty text.
std::optional<QString> erstesFeld(const QString& text);

}  // namespace pv
