#include "field_text.hpp"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

#include "generation.hpp"
#include "number_text.hpp"

namespace tracemill::app {

std::optional<double> read_number_field(const QString& text) {
    const auto v = parse_number(text.trimmed().toStdString());
    if (!v || !(std::abs(*v) <= kMaxLength)) return std::nullopt;
    return v;
}

std::optional<std::int32_t> read_count_field(const QString& text) {
    return parse_count(text.trimmed().toStdString());
}

QString show_number(double v) { return QString::fromStdString(shown_number(v)); }

QString field_name(const QString& label) {
    QString name = label;
    if (name.endsWith(QStringLiteral("：")) || name.endsWith(QLatin1Char(':'))) name.chop(1);
    const auto open = name.indexOf(QStringLiteral("(&"));
    if (open >= 0) {
        name.truncate(open);
    } else {
        name.remove(QLatin1Char('&'));  // an English mnemonic inside the word
    }
    return name;
}

QString number_field_message(const QString& label) {
    return QCoreApplication::translate("tracemill::app::FieldText",
                                       "%1 には -%2 から %2 までの数値を入力してください。")
        .arg(field_name(label), show_number(kMaxLength));
}

QString count_field_message(const QString& label) {
    return QCoreApplication::translate("tracemill::app::FieldText",
                                       "%1 には 0 から 2147483647 までの整数を入力してください。")
        .arg(field_name(label));
}

QString with_default_suffix(const QString& name, const QString& suffix) {
    if (name.isEmpty() || name.endsWith(QLatin1Char('/'))) return name;
    if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) {
        return name + QLatin1Char('.') + suffix;
    }
    return name;
}

}  // namespace tracemill::app
