#include "toolkit/HContainer.h"

#include "toolkit/HDefaultResizeListener.h"

#include <algorithm>

namespace {
// The child list starts with room for 256 entries.
const std::size_t CHILD_ROOM = 256;
} // namespace

HContainer::HContainer() {
    setClassName("HContainer");
    children.reserve(CHILD_ROOM);
    resizeListener = std::make_unique<HDefaultResizeListener>();
    addListener(resizeListener.get());
}

HContainer::HContainer(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HContainer");
    children.reserve(CHILD_ROOM);
    resizeListener = std::make_unique<HDefaultResizeListener>();
    addListener(resizeListener.get());
}

HContainer::~HContainer() {
    removeListener(resizeListener.get());
}

bool HContainer::isContainer() const {
    return true;
}

int HContainer::create() {
    // An order entry whose index is no longer in the list (the list is emptied
    // by dispose) is skipped rather than taken as a child.
    for (const auto& entry : order) {
        HComponent* child = getChild(entry.second);
        if (child) {
            child->create();
        }
    }
    return 1;
}

void HContainer::dispose() {
    for (HComponent* child : children) {
        if (child) {
            child->dispose();
        }
    }
    children.clear();
}

void HContainer::resize() {
    for (auto entry = order.rbegin(); entry != order.rend(); ++entry) {
        HComponent* child = getChild(entry->second);
        if (child) {
            child->resize();
        }
    }
}

void HContainer::applyDpi() {
    HComponent::applyDpi();
    applyDpiToChildren();
}

void HContainer::applyDpiToChildren() {
    for (HComponent* child : children) {
        if (child) {
            child->applyDpi();
        }
    }
}

void HContainer::paintChildren() {
    for (auto entry = order.rbegin(); entry != order.rend(); ++entry) {
        HComponent* child = getChild(entry->second);
        if (child) {
            child->paint();
        }
    }
}

HComponent* HContainer::findById(int id) {
    if (getId() == id) {
        return this;
    }
    for (HComponent* child : children) {
        HComponent* found = child ? child->findById(id) : nullptr;
        if (found) {
            return found;
        }
    }
    return nullptr;
}

void HContainer::setListenersEnabled(bool enabled) {
    HComponent::setListenersEnabled(enabled);
    for (HComponent* child : children) {
        if (child) {
            child->setListenersEnabled(enabled);
        }
    }
}

void HContainer::setResizable(bool value) {
    resizable = value;
}

int HContainer::add(HComponent* child) {
    // A container inside itself would make every walk over the tree endless.
    if (!child || child == this) {
        return -1;
    }
    int existing = indexOf(child);
    if (existing >= 0) {
        return existing;
    }
    children.push_back(child);
    int index = static_cast<int>(children.size()) - 1;
    for (auto entry = order.begin(); entry != order.end();) {
        if (entry->second == index) {
            entry = order.erase(entry);
        } else {
            ++entry;
        }
    }
    int number = order.empty() ? 1 : order.rbegin()->first + 1;
    order[number] = index;
    child->setParent(this);
    return index;
}

int HContainer::indexOf(HComponent* child) const {
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) {
        return -1;
    }
    return static_cast<int>(found - children.begin());
}

bool HContainer::contains(HComponent* child) const {
    return indexOf(child) >= 0;
}

int HContainer::getChildCount() const {
    return static_cast<int>(children.size());
}

HComponent* HContainer::getChild(int index) const {
    if (index < 0 || index >= static_cast<int>(children.size())) {
        return nullptr;
    }
    return children[static_cast<std::size_t>(index)];
}

void HContainer::focusFirst() {
    for (HComponent* child : children) {
        if (child && child->isFocusable() && child->isEnabled()) {
            child->requestFocus();
            return;
        }
    }
}
