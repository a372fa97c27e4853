// Profile text on arbitrary bytes: parsing and writing back unchanged gives the same bytes,
// every value a plain reading of the lookup rules finds is found, and after each write the
// written value reads back while every other readable value stays exactly as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "plain_profile.h"
#include "platform/profile_text.h"
#include "settings/settings_store.h"

namespace astrelle::fuzz {
namespace {

// Flips the case of some letters, as a hand-edited file or another writer might spell a name.
std::string Respell(std::string name, uint32_t mask) {
    for (size_t i = 0; i < name.size(); ++i) {
        char& c = name[i];
        if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && ((mask >> (i % 32)) & 1u)) c ^= 0x20;
    }
    return name;
}

void CheckFindsEverything(const ProfileText& doc, const Readable& readable) {
    for (const auto& [name, value] : readable.values) {
        auto found = doc.Find(name.first, name.second);
        FUZZ_CHECK(found.has_value());
        FUZZ_CHECK(*found == value);
    }
}

}  // namespace
}  // namespace astrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    using namespace astrelle;
    using namespace astrelle::fuzz;
    FuzzedDataProvider data(bytes, size);
    // The writes come from the end of the input, the file from the rest.
    const int writes = data.ConsumeIntegralInRange(0, 4);
    struct Write {
        int sectionPick, keyPick;
        std::string section, key, value;
        uint32_t caseMask;
    };
    std::vector<Write> plan;
    for (int i = 0; i < writes; ++i) {
        Write w;
        w.sectionPick = data.ConsumeIntegralInRange(-1, 15);
        w.keyPick = data.ConsumeIntegralInRange(-1, 15);
        w.section = data.ConsumeRandomLengthString(24);
        w.key = data.ConsumeRandomLengthString(24);
        w.value = data.ConsumeRandomLengthString(40);
        w.caseMask = data.ConsumeIntegral<uint32_t>();
        plan.push_back(std::move(w));
    }
    const std::string file = data.ConsumeRemainingBytesAsString();

    ProfileText doc(file);
    FUZZ_CHECK(doc.Serialize() == file);  // reading alone changes no byte
    Readable readable = ReadPlainly(file);
    CheckFindsEverything(doc, readable);

    for (const Write& w : plan) {
        // Mostly names the file already has, so replacing and inserting both get exercised.
        std::string section = w.section;
        if (w.sectionPick >= 0 && !readable.sections.empty()) {
            section = readable.sections[static_cast<size_t>(w.sectionPick) % readable.sections.size()];
        }
        std::string key = w.key;
        if (w.keyPick >= 0) {
            std::vector<std::string> keys;
            for (const auto& [name, value] : readable.values)
                if (name.first == AsciiLower(section)) keys.push_back(name.second);
            if (!keys.empty()) key = keys[static_cast<size_t>(w.keyPick) % keys.size()];
        }
        section = Respell(section, w.caseMask);
        key = Respell(key, w.caseMask >> 7);
        const Name name{AsciiLower(section), AsciiLower(key)};
        FUZZ_CHECK(doc.Find(section, key).has_value() == (readable.values.count(name) > 0));

        const std::string before = doc.Serialize();
        const bool stored = doc.Set(section, key, w.value);
        const std::string after = doc.Serialize();
        if (!stored) {
            FUZZ_CHECK(after == before);  // a refused write changes nothing
            continue;
        }
        const std::string expected(TrimBlanksAndTabs(w.value));
        FUZZ_CHECK(doc.Find(section, key) == expected);
        Readable now = ReadPlainly(after);
        Readable wanted = readable;
        wanted.values[name] = expected;
        FUZZ_CHECK(now.values == wanted.values);
        if (readable.values.count(name) > 0 && readable.values[name] == expected) FUZZ_CHECK(after == before);
        readable = std::move(now);
        CheckFindsEverything(ProfileText(after), readable);
    }
    return 0;
}
