#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace corvanel {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace corvanel
