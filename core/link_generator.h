// Turns a share address into the three music links.
#pragma once

#include "configured_hosts.h"
#include "text.h"

namespace corvanel {

enum class BoxName { 编辑框1, 编辑框2, 编辑框3, 编辑框4 };

// The generator's only way to the window's boxes.
class BoxAccess {
public:
    virtual Text ReadBoxContent(BoxName box) = 0;
    virtual void WriteBoxContent(BoxName box, const Text& text) = 0;

protected:
    ~BoxAccess() = default;
};

struct LinkService {
    std::string_view baseAddress;  // scheme, host and path, ending in "/"
    BoxName targetBox;
};

// The link services in the order their links are written. Their hosts are
// chosen when the program is configured.
inline constexpr LinkService kLinkServices[] = {
    {"http://" CORVANEL_LINK_HOST_1 "/mp3.php/", BoxName::编辑框2},
    {"http://" CORVANEL_LINK_HOST_2 "/bdwp.php/", BoxName::编辑框3},
    {"http://" CORVANEL_LINK_HOST_3 "/bdwp.php/", BoxName::编辑框4},
};

// Reads 编辑框1, keeps the share id (after the first "id=" up to the next "&")
// and the share uk (after the first "uk=" up to the next blank), and writes
// base address + id + "/" + uk + ".mp3" into each service's box, or the
// empty-input message into all three when 编辑框1 is empty.
void GenerateLinks(BoxAccess& boxes);

// The values kept from the last GenerateLinks; empty before the first.
const Text& ShareId();
const Text& ShareUk();

// Releases the kept values, the share id first. Runs once, at shutdown.
void ShutdownCleanup();

}  // namespace corvanel
