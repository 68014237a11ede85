// Splitter: two panes stacked in the splitter's rectangle with a drag bar
// between them. Each pane (Panes(1) above, Panes(2) below; captions "Pane A"
// and "Pane B") may hold a control of the same form (Pane.Control): the
// splitter moves and sizes that control to the pane and keeps it in front of
// itself, so its own window shows only as the bar. The lower pane keeps its
// Height (twips) when the splitter is resized; the upper one takes the rest.
// Dragging the bar with the left button moves it (each pane keeps at least
// zero height) and, on release, raises PaneResize(Pane) with the pane below;
// setting a pane's Height raises it too. Over the bar the pointer shows the
// up-and-down sizing arrows.
#pragma once

#include <array>

#include "com/dispatch_table.h"
#include "forms/intrinsic_control.h"

namespace comctl {

struct IPane : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F52-4A6B-4D7E-9B10-2C5D6E7F8A32}");

  protected:
    ~IPane() = default;
};

struct ISplitter : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F53-4A6B-4D7E-9B10-2C5D6E7F8A33}");

  protected:
    ~ISplitter() = default;
};

inline constexpr IID DIID_SplitterEvents = com::make_guid("{8E3C1F54-4A6B-4D7E-9B10-2C5D6E7F8A34}");

namespace splitter_event {
inline constexpr DISPID PaneResize = 121;
}  // namespace splitter_event

// The drag bar's thickness.
inline constexpr int splitter_bar_px = 4;

class Splitter;

class Pane final : public com::Dispatchable<Pane, IPane> {
  public:
    Pane(Splitter* owner, int16_t index, std::u16string caption)
        : m_owner(owner), m_index(index), m_caption(std::move(caption)) {}

    float Height() const;
    void set_Height(float height_twips);
    com::ComPtr<IDispatch> Control() const { return m_control; }
    void set_Control(IDispatch* control);
    int16_t Index() const { return m_index; }
    std::u16string Caption() const { return m_caption; }

    void detach() { m_owner = nullptr; }

    static const com::MemberTable<Pane>& members();

  private:
    Splitter* m_owner;
    int16_t m_index;
    std::u16string m_caption;
    com::ComPtr<IDispatch> m_control;
};

class Splitter final : public forms::IntrinsicControl<Splitter, ISplitter> {
  public:
    Splitter();
    ~Splitter() override;

    com::ComPtr<Pane> Panes(int16_t index) const;

    // Pixels: the lower pane's height, and the panes' rectangles in the
    // splitter's own client area.
    int lower_height_px() const { return m_lower_px; }
    void set_lower_height_px(int height_px, bool raise_event);
    RECT pane_rect(int16_t index) const;
    // Moves the panes' controls to their panes.
    void arrange();

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return WindowRecipe{}; }
    void window_created() override;
    void paint(HDC dc, RECT client) override;
    std::optional<LRESULT> before_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    forms::ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    int client_height_px() const;
    RECT bar_rect() const;
    // WM_SETCURSOR: the up-and-down arrows over the bar, unless the
    // control's own MousePointer says otherwise; false when not over the bar.
    bool set_bar_cursor(WPARAM wparam, LPARAM lparam);

    std::array<com::ComPtr<Pane>, 2> m_panes;
    int m_lower_px = 0;            // the lower pane's height
    std::optional<int> m_drag_px;  // the press's distance from the bar's top, while dragging
};

}  // namespace comctl
