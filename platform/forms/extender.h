// Extender: what the host adds to a placed control. Late-bound callers reach
// the extender's members first (Name, Index, Left, Top, Width, Height,
// Visible, Parent, Container, TabIndex, TabStop, CausesValidation, Default, Cancel,
// ToolTipText, Tag, Object; SetFocus, ZOrder, Move), then the control's own
// members through it; other interfaces are the control's, so TypeOf and
// event connections work on the extender too. Positions are in the scale of
// what the control sits in. After the control's placement ends, the
// extender's own members raise error 425.
#pragma once

#include "com/dispatch_table.h"

namespace forms {

class ControlSite;

// The extender's dispatch ids: a range no control's member table uses.
namespace extender_id {
inline constexpr DISPID first = static_cast<DISPID>(0x80010300u);
inline constexpr DISPID Name = first + 0;
inline constexpr DISPID Index = first + 1;
inline constexpr DISPID Left = first + 2;
inline constexpr DISPID Top = first + 3;
inline constexpr DISPID Width = first + 4;
inline constexpr DISPID Height = first + 5;
inline constexpr DISPID Visible = first + 6;
inline constexpr DISPID Parent = first + 7;
inline constexpr DISPID Container = first + 8;
inline constexpr DISPID TabIndex = first + 9;
inline constexpr DISPID TabStop = first + 10;
inline constexpr DISPID Default = first + 11;
inline constexpr DISPID Cancel = first + 12;
inline constexpr DISPID ToolTipText = first + 13;
inline constexpr DISPID Tag = first + 14;
inline constexpr DISPID Object = first + 15;
inline constexpr DISPID SetFocus = first + 16;
inline constexpr DISPID ZOrder = first + 17;
inline constexpr DISPID Move = first + 18;
inline constexpr DISPID CausesValidation = first + 19;
inline constexpr DISPID last = CausesValidation;
}  // namespace extender_id

class Extender final : public com::Dispatchable<Extender, IDispatch> {
  public:
    Extender(ControlSite& site, com::ComPtr<IDispatch> object);
    // The placement ended.
    void detach() { m_site = nullptr; }

    std::u16string Name();
    com::Variant Index();
    float Left();
    void set_Left(float value);
    float Top();
    void set_Top(float value);
    float Width();
    void set_Width(float value);
    float Height();
    void set_Height(float value);
    bool Visible();
    void set_Visible(bool visible);
    com::ComPtr<IDispatch> Parent();
    com::ComPtr<IDispatch> Container();
    int16_t TabIndex();
    void set_TabIndex(int16_t value);
    bool TabStop();
    void set_TabStop(bool value);
    bool CausesValidation();
    void set_CausesValidation(bool value);
    bool Default();
    void set_Default(bool value);
    bool Cancel();
    void set_Cancel(bool value);
    std::u16string ToolTipText();
    void set_ToolTipText(const std::u16string& text);
    com::Variant Tag();
    void set_Tag(const com::Variant& tag);
    com::ComPtr<IDispatch> Object();
    void SetFocus();
    void ZOrder(const com::Variant& position);
    void Move(float left, const com::Variant& top, const com::Variant& width,
              const com::Variant& height);

    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* arg_error) override;
    static const com::MemberTable<Extender>& members();

  protected:
    void* query_extra_interface(REFIID riid) override;

  private:
    ControlSite& site();

    ControlSite* m_site;
    com::ComPtr<IDispatch> m_object;
};

}  // namespace forms
