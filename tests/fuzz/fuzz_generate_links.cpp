// Fuzzes GenerateLinks with any content of the share address box.
//
// Input: one or more box contents, separated by zero bytes (a box holds no
// zero byte); GenerateLinks runs once for each, one after the other, as when
// the user pastes several addresses in turn, and shutdown follows the last.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "configured_hosts.h"
#include "fuzz_support.h"
#include "link_generator.h"
#include "program_texts.h"
#include "text.h"

using namespace corvanel;
using namespace corvanel::fuzz;

namespace {

constexpr std::size_t kMostActions = 4;

// The main window's boxes as far as the generator sees them: 编辑框1 holds the
// address; every read and write is recorded.
class RecordingBoxes final : public BoxAccess {
public:
    explicit RecordingBoxes(std::string_view address) : address_(address) {}

    Text ReadBoxContent(BoxName box) override {
        reads.push_back(box);
        return box == BoxName::编辑框1 ? address_ : Text();
    }
    void WriteBoxContent(BoxName box, const Text& text) override {
        writes.emplace_back(box, std::string(text.Bytes()));
    }

    std::vector<BoxName> reads;
    std::vector<std::pair<BoxName, std::string>> writes;

private:
    Text address_;
};

// The bytes after the first `leading` (letters of either case) in `address`
// up to the next `trailing`, both on character starts, or empty when either is
// missing.
std::string ValueBetween(std::string_view address, std::string_view leading, std::string_view trailing) {
    const std::size_t leadAt = FirstMatchAtCharacterStart(address, leading, 0, true);
    if (leadAt == kNowhere) return {};
    const std::string_view rest = address.substr(leadAt + leading.size());
    const std::size_t trailAt = FirstMatchAtCharacterStart(rest, trailing, 0, true);
    if (trailAt == kNowhere) return {};
    return std::string(rest.substr(0, trailAt));
}

void CheckOneAction(std::string_view address) {
    RecordingBoxes boxes(address);
    GenerateLinks(boxes);

    // Only the share address box is read; the three link boxes are written,
    // each once, in the order 编辑框2, 编辑框3, 编辑框4.
    for (BoxName box : boxes.reads) FUZZ_REQUIRE(box == BoxName::编辑框1);
    FUZZ_REQUIRE(boxes.writes.size() == 3);
    const BoxName linkBoxes[3] = {BoxName::编辑框2, BoxName::编辑框3, BoxName::编辑框4};
    for (std::size_t i = 0; i < 3; ++i) FUZZ_REQUIRE(boxes.writes[i].first == linkBoxes[i]);

    const std::string_view shareId = ShareId().Bytes();
    const std::string_view shareUk = ShareUk().Bytes();

    if (address.empty()) {
        // An empty box: the message in all three boxes, and no values kept.
        for (const auto& write : boxes.writes) FUZZ_REQUIRE(write.second == kEmptyInputMessage);
        FUZZ_REQUIRE(shareId.empty() && shareUk.empty());
        return;
    }

    // The kept values, worked out from the address with one blank appended:
    // after the first "id=" up to the next "&", after the first "uk=" up to
    // the next blank.
    const std::string withBlank = std::string(address) + " ";
    FUZZ_REQUIRE(shareId == ValueBetween(withBlank, "id=", "&"));
    FUZZ_REQUIRE(shareUk == ValueBetween(withBlank, "uk=", " "));

    // Each link: the service's base address, with the host chosen when
    // configuring, then the id, "/", the uk and ".mp3".
    const std::string ending = std::string(shareId) + "/" + std::string(shareUk) + ".mp3";
    const std::string_view bases[3] = {
        "http://" CORVANEL_LINK_HOST_1 "/mp3.php/",
        "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/",
        "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/",
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view base = bases[i];
        const std::string& link = boxes.writes[i].second;
        FUZZ_REQUIRE(link.size() == base.size() + ending.size());
        FUZZ_REQUIRE(std::string_view(link).substr(0, base.size()) == base);
        FUZZ_REQUIRE(std::string_view(link).substr(base.size()) == ending);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t from = 0;
    for (std::size_t action = 0; action < kMostActions; ++action) {
        const std::size_t end = bytes.find('\0', from);
        CheckOneAction(bytes.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
        if (end == std::string_view::npos) break;
        from = end + 1;
    }
    // Shutdown releases both kept values.
    ShutdownCleanup();
    FUZZ_REQUIRE(ShareId().IsEmpty() && ShareUk().IsEmpty());
    return 0;
}
