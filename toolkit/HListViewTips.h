#pragma once

#include "toolkit/HEventListener.h"

#include <windows.h>

#include <memory>
#include <vector>

class HListView;

// The tip window of a list view that shows a cell's whole text while the mouse
// rests on a cell too narrow for it. The list view's own label tips are not
// drawn by every system, so the tip is a tooltip control of its own: one tool
// at a time, over the cell under the mouse and holding its text, a new one for
// every cell, so that each cell's tip shows after its own rest. Made and owned
// by the list view, and registered on it for the mouse messages (companions
// for the messages after which the cell under the mouse is another).
class HListViewTips : public HEventListener {
  public:
    explicit HListViewTips(HListView* listView);
    ~HListViewTips() override;

    // Makes the tip window for the list view's native window, and destroys it.
    void attach();
    void detach();

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    // The companions, each for one message; the list view registers them too.
    const std::vector<std::unique_ptr<HEventListener>>& getCompanions() const { return companions; }

  private:
    // The tool over the cell at the point (client coordinates) when its text
    // is cut there; none elsewhere.
    void follow(POINT point);
    void forget();

    HListView* listView; // borrowed: the list owns its tips
    HWND tip = nullptr;
    int row = -1;
    int column = -1;
    UINT_PTR tool = 0; // the current tool's id, 0 while there is none
    UINT_PTR lastTool = 0;
    std::vector<std::unique_ptr<HEventListener>> companions;
};
