#pragma once

#include <cstdint>
#include <vector>

#include "timeplot/AoaDefinition/AoaArchiveReader.h"
#include "timeplot/AoaDefinition/AoaArchiveWriter.h"

namespace varelo {

// The framework's object list in the archive: its class reference ("CObList", schema 0), the
// list itself taking an object index, the element count, then each element as an object (its
// class reference, an object index, its fields). T gives kClassName, kSchema,
// AcceptsSchema(schema), Load(reader, schema) and Store(writer).
inline constexpr char kObListClassName[] = "CObList";
inline constexpr uint16_t kObListSchema = 0;

template <typename T>
void WriteObList(CAoaArchiveWriter& out, const std::vector<T>& list) {
    out.ClassRef(kObListClassName, kObListSchema);
    out.NewObject();
    out.Count(list.size());
    for (const T& element : list) {
        out.ClassRef(T::kClassName, T::kSchema);
        out.NewObject();
        element.Store(out);
    }
}

template <typename T>
bool ReadObList(CAoaArchiveReader& in, std::vector<T>& list) {
    uint16_t schema = 0;
    if (!in.ClassRef(kObListClassName, schema)) return false;
    if (schema != kObListSchema) return in.Fail(AoaReadError::BadSchema);
    in.NewObject();
    size_t count = 0;
    if (!in.Count(count)) return false;
    list.clear();
    list.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (!in.ClassRef(T::kClassName, schema)) return false;
        if (!T::AcceptsSchema(schema)) return in.Fail(AoaReadError::BadSchema);
        in.NewObject();
        T element;
        if (!element.Load(in, schema)) return false;
        list.push_back(std::move(element));
    }
    return true;
}

}  // namespace varelo
