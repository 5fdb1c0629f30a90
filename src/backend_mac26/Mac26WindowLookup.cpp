#include "backend_mac26/Mac26WindowLookup.h"

#include "backend_mac26/Mac26WindowToken.h"

namespace corvel {

std::optional<Mac26ResolvedWindow> Mac26WindowLookup::resolve(const MenuBarWindowList& windowList,
                                                              const BackendItemToken& token) {
    return find(windowList.layer25Windows(), token);
}

std::optional<Mac26ResolvedWindow>
Mac26WindowLookup::find(const std::vector<MenuBarWindowInfo>& windows,
                        const BackendItemToken& token) {
    for (const auto& window : windows)
        if (window.bounds && Mac26WindowToken::token(window.windowID) == token)
            return Mac26ResolvedWindow{window.windowID, *window.bounds};
    return std::nullopt;
}

} // namespace corvel
