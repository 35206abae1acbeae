// The text of the dialog's fields as values: what a number field and a
// digits-only field accept, how a value is shown, and the default suffix.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace tracemill::app {

// A number field: a finite decimal number (blanks around it allowed) of at most
// the largest drawable length in magnitude. Nothing for "nan", "inf", text
// that is not a number and magnitudes that cannot be drawn.
std::optional<double> read_number_field(const QString& text);

// A digits-only field: digits (blanks around them allowed) up to 2147483647.
std::optional<std::int32_t> read_count_field(const QString& text);

// A value as a person writes it, to fifteen significant digits.
QString show_number(double v);

// The field's name for messages: its label without the mnemonic and colon,
// "文字幅(&W)：" → "文字幅", "Character &width:" → "Character width".
QString field_name(const QString& label);

// The message for a field that does not hold what it must.
QString number_field_message(const QString& label);
QString count_field_message(const QString& label);

// The name with ".suffix" appended when its last component has no suffix of
// its own, as the save dialog completes a typed name.
QString with_default_suffix(const QString& name, const QString& suffix);

}  // namespace tracemill::app
