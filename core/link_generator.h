// Turns a share address into the three music links.
#pragma once

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

// The link services in the order their links are written. The hosts are
// placeholders under the reserved "example" domain; a distributor puts the
// real hosts of the link services here.
inline constexpr LinkService kLinkServices[] = {
    {"http://link1.example/mp3.php/", BoxName::编辑框2},
    {"http://link2.example/bdwp.php/", BoxName::编辑框3},
    {"http://link3.example/bdwp.php/", BoxName::编辑框4},
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
