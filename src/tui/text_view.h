// A one-row view of the operating windows: a CP866 text in a fixed number of columns, in the
// window's colours or in colours of its own (the clock's running and stopped colours), left,
// right or centred, and optionally answering mouse clicks.  It redraws only when its text or
// colour changed, so the views can be fed on every tick.
#pragma once

#include <final/final.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vk::ui {

class TextView final : public finalcut::FWidget {
 public:
  enum class Align : std::uint8_t { kLeft, kRight, kCentre };
  enum class Button : std::uint8_t { kLeft, kRight };

  TextView(finalcut::FWidget* parent, int column, int row, std::size_t width,
           Align align = Align::kLeft);

  void SetText(const std::string& cp866);
  const std::string& Text() const { return text_; }
  // A PC text attribute (background in the high nibble, foreground in the low one); 0 means
  // the window's own colours.
  void SetAttribute(std::uint8_t attr);
  void OnClick(std::function<void(Button)> f) { onClick_ = std::move(f); }

  void onMouseDown(finalcut::FMouseEvent* ev) override;

 private:
  void draw() override;

  std::size_t width_;
  Align align_;
  std::string text_;
  std::uint8_t attr_ = 0;
  std::function<void(Button)> onClick_;
};

}  // namespace vk::ui
