// The UI library's form-factor report: the form factors of one document as rows (a name, and in
// the detailed view the values), searched from a tool-bar box, with a control site that holds
// the report under its tool bar. The report's own state (the name column's width and the view)
// is kept in a small state file its site names.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui/panes.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

class FormFactorControlSiteBase;

class FormFactorReportControl : public CXTPReportControl {
public:
    // The user's layout of the report; "width=N" and "view=N" lines.
    struct State {
        int nameWidth = 160;
        int viewMode = 0;  // 0: names; 1: names with their values
        // Defaults for a missing file; a bad line keeps the default of its value.
        static State Load(const CString& file);
        // Atomically; false when the file cannot be written.
        bool Save(const CString& file) const;
    };
    using Callback = std::function<void(const CString& formFactor)>;
    static constexpr int kNameColumn = 0;
    static constexpr int kValuesColumn = 1;

    explicit FormFactorReportControl(const State& state);
    BOOL Create(CWnd* parent, UINT id);
    using CXTPReportControl::Create;

    void SetOwnerSite(FormFactorControlSiteBase* site) { site_ = site; }
    FormFactorControlSiteBase* GetOwnerSite() const { return site_; }
    void EnableDragDrog(bool enable) { EnableDragDrop(enable ? TRUE : FALSE); }
    void SetDragCallback(Callback callback) { onDrag_ = std::move(callback); }
    void SetDoubleClickCallback(Callback callback) { onDoubleClick_ = std::move(callback); }

    // Reads the form factors of the document at `path`; the same document again only with
    // `refresh`.
    void SetActiveDocument(const CString& path, bool refresh);
    const std::shared_ptr<Korvo::XmlDB::FormFactor::IFormFactorProvider>& GetProvider() const { return provider_; }
    CString GetDocumentPath() const { return provider_ ? provider_->GetDocumentPath() : CString(); }

    // Empty while no row is focused.
    CString GetFocusedFormFactor() const;
    // Selects and focuses the form factor's row (nothing for an unknown one).
    void SetSelectedFormFactor(const CString& name);
    CString GetSelectedFormFactor() const;

    // Shows only the form factors whose text in one of `columns` (every column when none is
    // named) holds the text, without regard to case; an empty text shows them all.
    void SetSearchText(const CString& text, const std::vector<int>& columns = {});
    const CString& GetSearchText() const { return search_; }
    void SetViewMode(int mode);
    int GetViewMode() const { return state_.viewMode; }
    State GetState() const;

    void OnBeginDrag() override;
    // A row was double-clicked.
    void OnRowDoubleClicked(const CString& formFactor);

private:
    void fill();
    // Whether the text (lower case) is in one of the searched columns of the record.
    bool matches(const CXTPReportRecord& record, const CString& lowered) const;
    CString rowName(CXTPReportRow* row) const;

    State state_;
    FormFactorControlSiteBase* site_ = nullptr;
    std::shared_ptr<Korvo::XmlDB::FormFactor::IFormFactorProvider> provider_;
    CString search_;
    std::vector<int> searchColumns_;
    Callback onDrag_;
    Callback onDoubleClick_;
};

// The search box over a report: what the user types filters its rows, over the columns given to
// the box, when the find button (or Enter) runs the search.
class ReportControlSearchBox : public CXTPControlEdit {
public:
    explicit ReportControlSearchBox(FormFactorReportControl* report) : report_(report) {}
    void AddControl(CXTPControl* findButton) { findButton_ = findButton; }
    void AddColumn(int column) { columns_.push_back(column); }
    const std::vector<int>& GetColumns() const { return columns_; }
    CXTPControl* GetFindButton() const { return findButton_; }
    void Search();
    BOOL OnEditKeyDown(UINT virtualKey, bool control) override;

private:
    FormFactorReportControl* report_;
    CXTPControl* findButton_ = nullptr;
    std::vector<int> columns_;
};

class ReportControlFindButton : public CXTPControlButton {
public:
    explicit ReportControlFindButton(ReportControlSearchBox* box) : box_(box) {}
    void OnExecute() override {
        if (GetEnabled() && IsVisible() && box_) box_->Search();
    }

private:
    ReportControlSearchBox* box_;
};

// Caption, description and tooltip of a control, its id, icon and style.
void SetControlParameters(CXTPControl* control, const CString& caption, int iconId, int id, int style, int flags);

// The window that holds a form-factor report under its tool bar. Command 8295 switches the
// report's view.
// A settings profile applied (application event 1043): the site's bars take the options again.
inline constexpr UINT kFormFactorSiteSettingsEvent = 1043;

class FormFactorControlSiteBase : public CXTPDialogBase<CWnd>,
                                  public CommandBarsSiteBase,
                                  public TypedApplicationEventListener<kFormFactorSiteSettingsEvent> {
public:
    static constexpr UINT kChangeViewMode = 8295;
    static constexpr UINT kReportId = 100;
    ~FormFactorControlSiteBase() override;
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;

    BOOL Create(CWnd* parent, UINT id);
    using CWnd::Create;
    void SetTheme(const Theme& theme);
    const CString& GetThemeName() const { return themeName_; }
    FormFactorReportControl* GetReportControl() const { return report_.get(); }
    CString GetDocumentPath() const { return report_ ? report_->GetDocumentPath() : CString(); }

protected:
    virtual BOOL InitCommandBars();
    virtual bool CreateReportControl() = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The site's command (WM_COMMAND); true when handled.
    virtual bool OnSiteCommand(UINT id);
    void layout();

    std::unique_ptr<FormFactorReportControl> report_;

private:
    CString themeName_;
};

}  // namespace Korvo::UI
