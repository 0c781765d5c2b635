#include "link_generator.h"

#include "program_texts.h"
#include "text_between.h"

namespace corvanel {
namespace {

Text shareId;
Text shareUk;

const Text kBlank(" ");

// The address with one blank appended, so that a value running to the end of
// the address still has a trailing marker.
Text ReadAddressWithBlank(BoxAccess& boxes) {
    return TextConcat(boxes.ReadBoxContent(BoxName::编辑框1), kBlank);
}

Text ExtractFromAddress(BoxAccess& boxes, const char* leading, const Text& trailing) {
    const Text address = ReadAddressWithBlank(boxes);
    Text leadingMarker(leading);
    Text trailingMarker = trailing;
    return TextBetween(address, leadingMarker, trailingMarker, 0, false);
}

}  // namespace

void GenerateLinks(BoxAccess& boxes) {
    shareId = ExtractFromAddress(boxes, "id=", Text("&"));
    shareUk = ExtractFromAddress(boxes, "uk=", kBlank);

    if (TextCompare(boxes.ReadBoxContent(BoxName::编辑框1), Text()) == 0) {
        const Text message(kEmptyInputMessage);
        for (const LinkService& service : kLinkServices) boxes.WriteBoxContent(service.targetBox, message);
        return;
    }
    const Text separator("/");
    const Text ending(".mp3");
    for (const LinkService& service : kLinkServices) {
        const Text link = TextConcat(Text(service.baseAddress), shareId, separator, shareUk, ending);
        boxes.WriteBoxContent(service.targetBox, link);
    }
}

const Text& ShareId() { return shareId; }
const Text& ShareUk() { return shareUk; }

void ShutdownCleanup() {
    shareId = Text();
    shareUk = Text();
}

}  // namespace corvanel
