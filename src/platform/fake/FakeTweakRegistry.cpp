#include "platform/fake/FakeTweakRegistry.h"

#include "base/DialtopError.h"

namespace fake {

const RegistryValue* TweakRegistry::value(platform::RegistryRoot root, const std::string& keyPath,
                                          const std::string& name) const {
    const auto tree = roots.find(root);
    const auto path = KeyPathBelowRoot(keyPath);
    const RegistryKey* key = tree != roots.end() && path ? tree->second.find(*path) : nullptr;
    return key ? key->find(name) : nullptr;
}

void TweakRegistry::store(platform::RegistryRoot root, const std::string& keyPath, RegistryValue value) {
    roots[root].create(KeyPathBelowRoot(keyPath).value()).put(std::move(value));
}

bool TweakRegistry::OpenPath(platform::RegistryRoot root, const std::string& keyPath, bool mayCreate) {
    ClosePath();
    const auto path = KeyPathBelowRoot(keyPath);
    if (!path || refused.count({root, keyPath}))
        return false;
    RegistryTree& tree = roots[root];
    open_ = mayCreate ? &tree.create(*path) : tree.find(*path);
    openAccesses += open_ ? 1 : 0;
    return open_ != nullptr;
}

void TweakRegistry::ClosePath() {
    openAccesses -= open_ ? 1 : 0;
    open_ = nullptr;
}

const RegistryValue* TweakRegistry::find(const std::string& name) const {
    return open_ ? open_->find(name) : nullptr;
}

void TweakRegistry::put(RegistryValue value) {
    if (!open_)
        throw DialtopError("Failed to set data for '" + value.name + "'");
    ++writes;
    open_->put(std::move(value));
}

} // namespace fake
