// Reads a written DXF document back and lists what no drawing may contain:
// a number that is not finite, a line whose ends are the same point, an arc
// or circle whose radius is not positive, an arc whose ends are the same
// angle (all judged on the printed numbers, as a reader sees them), and a
// document that does not end with the end-of-file marker. Shared by the
// tests and the fuzzer, so it depends on nothing but the standard library.
#pragma once

#include <string>
#include <vector>

namespace tracemill::testing {

std::vector<std::string> audit_document(const std::string& dxf);

}  // namespace tracemill::testing
