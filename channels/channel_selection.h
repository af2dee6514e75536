#pragma once

#include <vector>

namespace lumo {

// The channels a user has picked by their numbers, apart from the current cell: a
// click picks one, Shift extends from the last click, Ctrl adds or takes away one.
class ChannelSelection {
  public:
    // Only `channel`; it becomes the anchor a Shift-click extends from.
    void click(int channel);
    // The channels from the anchor to `channel`, added to the others when `keep`
    // (Ctrl+Shift), else instead of them. Without an anchor it is a click.
    void extendTo(int channel, bool keep = false);
    // Adds `channel` or takes it away; it becomes the anchor either way.
    void toggle(int channel);
    void selectAll(int lastChannel);
    void clear();
    // Exactly these channels (any order, repeats ignored); the anchor is the first.
    void set(std::vector<int> channels);

    bool contains(int channel) const;
    bool empty() const { return channels_.empty(); }
    // Ascending.
    const std::vector<int>& channels() const { return channels_; }

    // The channels moved: `newRowOf[r]` is where channel r now stands, 0 where it
    // was deleted (those leave the selection). Rows past the vector stay.
    void follow(const std::vector<int>& newRowOf);
    // Forgets channels past the last one shown.
    void limitTo(int lastChannel);

  private:
    std::vector<int> channels_;
    int anchor_ = 0;
};

}  // namespace lumo
