#pragma once

#include "toolkit/HComponent.h"

#include <map>
#include <memory>
#include <vector>

class HDefaultResizeListener;

// A component holding child components in insertion order; it creates, disposes,
// paints and resizes them together. It does not own them (borrowed: each
// child's owner keeps it alive while it is in the container).
class HContainer : public HComponent {
  public:
    HContainer();
    HContainer(HContainer* parent, int id, const std::string& text);
    ~HContainer() override;

    bool isContainer() const override;
    int create() override;
    void dispose() override;
    void resize() override;
    // Its own window, then every child.
    void applyDpi() override;
    HComponent* findById(int id) override;
    void setListenersEnabled(bool enabled) override;
    virtual void paintChildren();
    virtual void setResizable(bool resizable);

    // Returns the child's index; a child already present keeps its index.
    int add(HComponent* child);
    int indexOf(HComponent* child) const;
    bool contains(HComponent* child) const;
    int getChildCount() const;
    HComponent* getChild(int index) const;
    void focusFirst();
    bool isResizable() const { return resizable; }

  protected:
    void applyDpiToChildren();
    bool resizable = false;

  private:
    std::vector<HComponent*> children;
    std::map<int, int> order; // order number -> child index
    std::unique_ptr<HDefaultResizeListener> resizeListener;
};
