#include "SceneOutput.h"

#include "bench/MagnetBench.h"
#include "objects/Compass.h"
#include "objects/MagneticObject.h"
#include "objects/UniformMagneticField.h"
#include "raster/FastDIB.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

void PutU16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

bool WriteBytes(const std::string& path, const char* header, size_t headerSize, const uint8_t* body, size_t bodySize)
{
    bool ok = false;
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (file) {
            file.write(header, static_cast<std::streamsize>(headerSize));
            if (bodySize > 0) {
                file.write(reinterpret_cast<const char*>(body), static_cast<std::streamsize>(bodySize));
            }
            file.close();
            ok = !file.fail();
        }
    }
    if (!ok) {
        std::remove(path.c_str());
    }
    return ok;
}

std::string Real(double v)
{
    if (!std::isfinite(v)) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

const char* Bool(bool v) { return v ? "true" : "false"; }

const char* KindName(TObjectKind kind)
{
    switch (kind) {
    case TObjectKind::Magnet: return "magnet";
    case TObjectKind::Wire: return "wire";
    case TObjectKind::Coil: return "coil";
    case TObjectKind::Motor: return "motor";
    case TObjectKind::UniformField: return "uniform";
    case TObjectKind::Compass: return "compass";
    }
    return "unknown";
}

} // namespace

bool WriteBmpFile(const std::string& path, const TFastDIB& frame)
{
    constexpr uint32_t HeadersSize = 14 + 40;
    const uint32_t imageSize = static_cast<uint32_t>(frame.BWidth()) * static_cast<uint32_t>(frame.AbsHeight());
    std::string header;
    header += "BM";
    PutU32(header, HeadersSize + imageSize); // file size
    PutU32(header, 0);                       // reserved
    PutU32(header, HeadersSize);             // offset of the pixels
    PutU32(header, 40);                      // information header size
    PutU32(header, static_cast<uint32_t>(frame.Width()));
    PutU32(header, static_cast<uint32_t>(frame.AbsHeight())); // positive: bottom-up rows
    PutU16(header, 1);                                        // planes
    PutU16(header, 24);                                       // bits per pixel
    PutU32(header, 0);                                        // uncompressed
    PutU32(header, imageSize);
    PutU32(header, 2835); // 72 dots per inch, horizontally
    PutU32(header, 2835); // and vertically
    PutU32(header, 0);    // colours used
    PutU32(header, 0);    // important colours
    return WriteBytes(path, header.data(), header.size(), frame.Bits(), imageSize);
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    return WriteBytes(path, text.data(), text.size(), nullptr, 0);
}

std::string SceneStateJson(const TMagnetBench& bench, int width, int height)
{
    std::string out;
    out += "{\n";
    out += "  \"width\": " + std::to_string(width) + ",\n";
    out += "  \"height\": " + std::to_string(height) + ",\n";
    out += "  \"switches\": {";
    out += "\"grid\": " + std::string(Bool(bench.HasGrid()));
    out += ", \"map\": " + std::string(Bool(bench.HasFieldMap()));
    out += ", \"lines\": " + std::string(Bool(bench.HasFieldLines()));
    out += ", \"filings\": " + std::string(Bool(bench.HasIronFilings()));
    out += ", \"movement\": " + std::string(Bool(bench.MovementON()));
    out += ", \"uniform\": " + std::string(Bool(bench.HasUniformField()));
    out += ", \"addingFilings\": " + std::string(Bool(bench.IsAddingFilings()));
    out += ", \"compassMode\": " + std::string(Bool(bench.AddCompassesMode()));
    out += "},\n";
    out += "  \"filings\": " + std::to_string(bench.FilingPoints().size()) + ",\n";
    out += "  \"objects\": [";
    bool first = true;
    for (const auto& object : bench.Objects()) {
        out += first ? "\n" : ",\n";
        first = false;
        out += "    {\"kind\": \"" + std::string(KindName(object->Kind())) + "\"";
        out += ", \"left\": " + std::to_string(object->Left());
        out += ", \"top\": " + std::to_string(object->Top());
        out += ", \"width\": " + std::to_string(object->Width());
        out += ", \"height\": " + std::to_string(object->Height());
        out += ", \"selected\": " + std::string(Bool(object->Selected()));
        if (const TMagneticObject* source = object->AsMagnetic()) {
            out += ", \"rotation\": " + Real(source->Rotation());
            out += ", \"centreX\": " + Real(source->CentreX());
            out += ", \"centreY\": " + Real(source->CentreY());
            out += ", \"leftFloat\": " + Real(source->LeftFloat());
            out += ", \"topFloat\": " + Real(source->TopFloat());
            out += ", \"velocityX\": " + Real(source->VelocityX());
            out += ", \"velocityY\": " + Real(source->VelocityY());
            out += ", \"angularVelocity\": " + Real(source->AngularVelocity());
            out += ", \"flipped\": " + std::string(Bool(source->Flipped()));
            if (object->Kind() == TObjectKind::UniformField) {
                const auto& field = static_cast<const TUniformMagneticField&>(*object);
                out += ", \"fieldStrength\": " + Real(field.FieldStrength());
            }
        } else if (object->IsCompass()) {
            const auto& compass = static_cast<const TCompass&>(*object);
            out += ", \"vx\": " + Real(compass.Vx());
            out += ", \"vy\": " + Real(compass.Vy());
        }
        out += "}";
    }
    out += first ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
}
