// The DXF text of a drawing: fixed section texts, the three entity records
// and a streaming writer that turns entities into that text.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "contours.hpp"
#include "geometry.hpp"

namespace tracemill {

// Lines end in CR LF; the texts below are written exactly as they stand.
namespace dxf_text {
// TABLES section with the single linetype CONTINUOUS.
inline constexpr std::string_view kLinetypeTable =
    "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLTYPE\r\n 70\r\n1\r\n"
    "  0\r\nLTYPE\r\n  2\r\nCONTINUOUS\r\n  0\r\nENDTAB\r\n";
// LAYER table with the single layer "1": flags 0, colour 7, linetype CONTINUOUS.
inline constexpr std::string_view kLayerTable =
    "  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n  0\r\nLAYER\r\n  2\r\n1\r\n 70\r\n0\r\n"
    " 62\r\n7\r\n  6\r\nCONTINUOUS\r\n  0\r\nENDTAB\r\n";
// End of TABLES, start of ENTITIES.
inline constexpr std::string_view kEntitiesStart =
    "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
// A HEADER section holding only the drawing unit: $INSUNITS, 4 for
// millimetres, 1 for inches; it goes before TABLES.
inline constexpr std::string_view kHeaderStart =
    "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$INSUNITS\r\n 70\r\n";
inline constexpr std::string_view kHeaderEnd = "\r\n  0\r\nENDSEC\r\n";
// End of ENTITIES and of the file.
inline constexpr std::string_view kDocumentEnd = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}  // namespace dxf_text

// The longest text of a double with nine decimals: sign, 309 integer digits,
// point and decimals, with room to spare.
inline constexpr std::size_t kFixed9MaxLength = 330;

// Writes v in fixed-point notation with nine decimals, exactly as C's "%.9f"
// prints it ("-0.000000000" included), independent of the locale and of the
// magnitude, to out; returns the end. out must have room for kFixed9MaxLength
// characters, whatever the length of the text (bytes after it may be
// overwritten). Recent conversions are remembered per thread.
char* write_fixed9(char* out, double v);
// The conversion itself, without the memory of recent ones.
char* convert_fixed9(char* out, double v);
void append_fixed9(std::string& out, double v);
std::string fixed9(double v);

// Appends v with one decimal, as "%.1f" prints it (the value in messages).
std::string fixed1(double v);

// The three entity records (the whole record, CR LF line ends).
std::string line_entity(double x1, double y1, double x2, double y2, int colour);
std::string circle_entity(double cx, double cy, double radius, int colour);
std::string arc_entity(double cx, double cy, double radius, double start_deg, double end_deg,
                       int colour);

void append_entity(std::string& out, const Entity& e);

// A contour as one POLYLINE (flag 1 when closed) with a VERTEX for every
// piece's start, its bulge for an arc, and the SEQEND; every record on
// layer 1 in the given colour. An open contour's last vertex is its end.
void append_polyline(std::string& out, const Contour& c, int colour);

// The drawing unit written into the file's header, so that cutting software
// imports the drawing at its true size; None writes no header.
enum class Units { None, Millimetres, Inches };

// Where written text goes: a file, a string, a counter.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::string_view bytes) = 0;
    // Passes on a block of a BlockBuffer: storage of BlockBuffer::kCapacity
    // bytes, the first `size` of them text. A sink that writes later may keep
    // the storage and leave an empty block of the same capacity in its place;
    // by default the text is written at once.
    virtual void write_block(std::unique_ptr<char[]>& block, std::size_t size) {
        write(std::string_view(block.get(), size));
    }
};

class StringByteSink final : public ByteSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// Collects text and passes it on to a byte sink in blocks of about 256 KiB, so
// a writer's memory stays bounded however much passes through.
class BlockBuffer {
public:
    // Blocks are passed on once they hold kFlushThreshold bytes; a writer may
    // ask room() for at most kMaxRoom at a time.
    static constexpr std::size_t kFlushThreshold = std::size_t{1} << 18;
    static constexpr std::size_t kMaxRoom = 4096;
    static constexpr std::size_t kCapacity = kFlushThreshold + kMaxRoom;

    explicit BlockBuffer(ByteSink& out);
    void append(std::string_view text);
    // Where the next n bytes (n <= kMaxRoom) may be written; commit() then
    // says how far they were.
    char* room(std::size_t n);
    void commit(char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
    void flush_if_full();
    void flush();
    // Passes on a block of another BlockBuffer after everything held here.
    void pass_on(std::unique_ptr<char[]>& block, std::size_t size);

private:
    ByteSink& out_;
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

// Streams a DXF document: begin() writes the opening texts, every add() one
// entity record, end() the closing text. Text is passed on to the byte sink in
// blocks, so memory stays bounded however many entities pass through.
// add(GlyphContours) writes each outline loop and skeleton path as a
// polyline instead.
class DxfWriter final : public EntitySink, public ContourSink {
public:
    explicit DxfWriter(ByteSink& out, Units units = Units::None);
    ~DxfWriter() override;
    DxfWriter(const DxfWriter&) = delete;
    DxfWriter& operator=(const DxfWriter&) = delete;

    void begin();
    void add(const Entity& e) override;
    void add(const GlyphContours& glyph) override;
    void end();  // closing text, then flush

private:
    BlockBuffer buffer_;
    Units units_;
};

}  // namespace tracemill
