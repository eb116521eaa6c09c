#pragma once

#include <string>
#include <string_view>

#include "timeplot/AoaDefinition/AoaArchiveReader.h"
#include "timeplot/AoaDefinition/AoaArchiveWriter.h"

namespace varelo {

// One object as an archive of its own: its class reference, then its fields. This is what a
// drag carries, so a dropped group, application or channel arrives as a new copy.
template <typename T>
std::string ArchiveAoaObject(const T& object) {
    CAoaArchiveWriter out;
    out.ClassRef(T::kClassName, T::kSchema);
    out.NewObject();
    object.Store(out);
    return out.Bytes();
}

// Reads an object written by ArchiveAoaObject; bytes left over make the payload foreign.
template <typename T>
bool UnarchiveAoaObject(std::string_view bytes, T& object, int ansiCodePage = 1252) {
    CAoaArchiveReader in({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, 0,
                         ansiCodePage);
    uint16_t schema = 0;
    if (!in.ClassRef(T::kClassName, schema) || !T::AcceptsSchema(schema)) return false;
    in.NewObject();
    T read;
    if (!read.Load(in, schema) || in.Remaining() != 0) return false;
    object = std::move(read);
    return true;
}

}  // namespace varelo
