#include "document_audit.hpp"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace tracemill::testing {

namespace {

// The document as (group code, value) pairs; lines end in CR LF. Views into
// the text, so that auditing a large document allocates little.
std::vector<std::pair<std::string_view, std::string_view>> pairs_of(std::string_view dxf,
                                                                    std::vector<std::string>& problems) {
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    std::string_view code;
    bool have_code = false;
    std::size_t at = 0;
    while (at < dxf.size()) {
        const auto end = dxf.find("\r\n", at);
        if (end == std::string_view::npos) {
            problems.push_back("a line without CR LF at the end of the document");
            break;
        }
        const std::string_view line = dxf.substr(at, end - at);
        if (have_code) pairs.emplace_back(code, line);
        else code = line;
        have_code = !have_code;
        at = end + 2;
    }
    if (have_code) problems.push_back("an odd number of lines");
    return pairs;
}

}  // namespace

std::vector<std::string> audit_document(const std::string& dxf) {
    std::vector<std::string> problems;
    const auto pairs = pairs_of(dxf, problems);
    if (pairs.empty() || pairs.back().first != "  0" || pairs.back().second != "EOF")
        problems.push_back("the document does not end with the EOF marker");

    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first != "  0") continue;
        const std::string_view kind = pairs[i].second;
        if (kind != "LINE" && kind != "ARC" && kind != "CIRCLE") continue;
        // Group codes 10, 20, 11, 21, 40, 50, 51 by their number.
        double v[64] = {};
        std::size_t j = i + 1;
        for (; j < pairs.size() && pairs[j].first != "  0"; ++j) {
            const auto& [code, text] = pairs[j];
            if (code == "  8" || code == " 62") continue;
            char value[400] = {};
            text.copy(value, std::min(text.size(), sizeof value - 1));
            char* end = nullptr;
            const double d = std::strtod(value, &end);
            if (end == value || *end != '\0' || text.size() >= sizeof value || !std::isfinite(d)) {
                problems.push_back(std::string(kind) + " with the value \"" + std::string(text) + "\" in group " +
                                   std::string(code));
                continue;
            }
            const int n = std::atoi(std::string(code).c_str());
            if (n >= 0 && n < 64) v[n] = d;
        }
        const auto where = [&] { return std::string(kind) + " record at line " + std::to_string(2 * i + 1); };
        // Compared as numbers: "-0.000000000" and "0.000000000" are one point.
        if (kind == "LINE" && v[10] == v[11] && v[20] == v[21]) problems.push_back(where() + " has no length");
        if (kind != "LINE" && !(v[40] > 0)) problems.push_back(where() + " has no positive radius");
        if (kind == "ARC" && v[50] == v[51]) problems.push_back(where() + " sweeps no angle");
        i = j - 1;
    }
    return problems;
}

}  // namespace tracemill::testing
