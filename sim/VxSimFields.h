#pragma once

// A JSON object written as its list of fields, one call a member, in the
// order given:
//
//     TVxSimOkAnswer(json).Field("side", "buy").Field("id", 5).Numbers("lots", lots);
//
// writes {"ok":true,"side":"buy","id":5,"lots":[1,2]}.  The object begins
// when the writer is made and ends when it goes out of scope, so a
// temporary writes a whole object in one statement and a named one may add
// fields under conditions.  Nested objects and arrays are written by a
// function handed the writer of the nested value.  In a pretty document an
// object or array made `oneLine` keeps all of itself on one line.

#include "sim/VxSimJson.h"

#include <concepts>
#include <cstdint>
#include <string_view>
#include <type_traits>

class TVxSimFields {
public:
    explicit TVxSimFields(TVxSimJsonWriter& json, bool oneLine = false) : FJson(json) {
        FJson.BeginObject(oneLine);
    }
    ~TVxSimFields() { FJson.EndObject(); }
    TVxSimFields(const TVxSimFields&) = delete;
    TVxSimFields& operator=(const TVxSimFields&) = delete;

    // A member with a boolean, whole-number or text value.
    template <typename T> TVxSimFields& Field(std::string_view key, const T& value) {
        FJson.Key(key);
        if constexpr (std::is_same_v<T, bool>)
            FJson.Bool(value);
        else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
            FJson.Number(int64_t{value});
        else if constexpr (std::is_integral_v<T>)
            FJson.Number(uint64_t{value});
        else
            FJson.String(std::string_view(value));
        return *this;
    }

    // A member whose value is a fraction written with `decimals` decimals.
    TVxSimFields& Fraction(std::string_view key, double value, int decimals) {
        FJson.Key(key);
        FJson.Number(value, decimals);
        return *this;
    }

    // A member whose value is an array of the whole numbers in `values`.
    template <typename Range> TVxSimFields& Numbers(std::string_view key, const Range& values) {
        return Array(key, [&](TVxSimJsonWriter& json) {
            for (const auto value : values)
                json.Number(int64_t{value});
        });
    }

    // A member whose value is the array that `write` writes element by
    // element.
    template <std::invocable<TVxSimJsonWriter&> Write>
    TVxSimFields& Array(std::string_view key, Write write, bool oneLine = false) {
        FJson.Key(key);
        FJson.BeginArray(oneLine);
        write(FJson);
        FJson.EndArray();
        return *this;
    }

    // A member whose value is the object that `write` fills with fields.
    template <std::invocable<TVxSimFields&> Write>
    TVxSimFields& Object(std::string_view key, Write write, bool oneLine = false) {
        FJson.Key(key);
        TVxSimFields nested(FJson, oneLine);
        write(nested);
        return *this;
    }

private:
    TVxSimJsonWriter& FJson;
};

// The answer to a request that was carried out: an object whose first
// field is "ok": true.
class TVxSimOkAnswer : public TVxSimFields {
public:
    explicit TVxSimOkAnswer(TVxSimJsonWriter& json) : TVxSimFields(json) { Field("ok", true); }
};
