#include "document_audit.hpp"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace tracemill::testing {

namespace {

// The document as (group code, value) pairs; lines end in CR LF.
std::vector<std::pair<std::string, std::string>> pairs_of(const std::string& dxf,
                                                          std::vector<std::string>& problems) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < dxf.size()) {
        const auto end = dxf.find("\r\n", at);
        if (end == std::string::npos) {
            problems.push_back("a line without CR LF at the end of the document");
            break;
        }
        lines.push_back(dxf.substr(at, end - at));
        at = end + 2;
    }
    if (lines.size() % 2 != 0) problems.push_back("an odd number of lines");
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) pairs.emplace_back(lines[i], lines[i + 1]);
    return pairs;
}

}  // namespace

std::vector<std::string> audit_document(const std::string& dxf) {
    std::vector<std::string> problems;
    const auto pairs = pairs_of(dxf, problems);
    if (pairs.size() < 2 || pairs[pairs.size() - 1] != std::pair<std::string, std::string>{"  0", "EOF"})
        problems.push_back("the document does not end with the EOF marker");

    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first != "  0") continue;
        const std::string kind = pairs[i].second;
        if (kind != "LINE" && kind != "ARC" && kind != "CIRCLE") continue;
        std::map<std::string, double> v;
        std::size_t j = i + 1;
        for (; j < pairs.size() && pairs[j].first != "  0"; ++j) {
            const auto& [code, text] = pairs[j];
            if (code == "  8" || code == " 62") continue;
            char* end = nullptr;
            const double d = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != '\0' || !std::isfinite(d)) {
                problems.push_back(kind + " with the value \"" + text + "\" in group " + code);
                continue;
            }
            v[code] = d;
        }
        std::ostringstream where;
        where << kind << " record at line " << 2 * i + 1;
        // Compared as numbers: "-0.000000000" and "0.000000000" are one point.
        if (kind == "LINE" && v[" 10"] == v[" 11"] && v[" 20"] == v[" 21"])
            problems.push_back(where.str() + " has no length");
        if (kind != "LINE" && !(v[" 40"] > 0)) problems.push_back(where.str() + " has no positive radius");
        if (kind == "ARC" && v[" 50"] == v[" 51"]) problems.push_back(where.str() + " sweeps no angle");
        i = j - 1;
    }
    return problems;
}

}  // namespace tracemill::testing
