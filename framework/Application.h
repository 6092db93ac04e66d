#pragma once
// The application object: its own hidden top-level window (its text is the
// title; it owns the main form and carries the taskbar button), the message
// loop, an application-wide message event, and the box that shows exceptions
// escaping from handlers.

#include "framework/Forms.h"
#include "framework/Icon.h"
#include "framework/WindowBinding.h"

#include <vector>

using TMessageEvent = std::function<void(MSG& message, bool& handled)>;

// Gives its owner the messages the application's loop takes out of the queue.
class TApplicationEvents : public TComponent {
    DECLARE_PUBLISHED(TApplicationEvents, TComponent)
  public:
    explicit TApplicationEvents(TComponent* owner);
    ~TApplicationEvents() override;
    TMessageEvent OnMessage;
};

class TApplication : public TComponent, private TWindowTarget {
    DECLARE_PUBLISHED(TApplication, TComponent)
  public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    HWND Handle() const { return window_.Get(); }
    TCustomForm* MainForm() const { return mainForm_; }
    TIcon& Icon() { return icon_; }
    // False: Run does not show the main form (the form starts hidden).
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }
    bool Active() const;

    // Creates a form owned by the application; the first one is the main form.
    template <class F> F* CreateForm() {
        auto* form = new F(this);
        if (!mainForm_) mainForm_ = form;
        return form;
    }
    // Shows the main form (unless told not to) and runs the loop until Terminate.
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void Minimize();
    void Restore();

    // The error box: the message with a full stop appended when its last
    // character sorts after '.', captioned with the title, error icon, OK.
    void ShowException(const std::exception& error);
    static std::string ExceptionText(const std::string& message);

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TApplicationEvents;
    bool ProcessMessage(MSG& message);
    void WindowMessage(HWND window, TMessage& message) override;
    std::string title_;
    WindowHandle window_;
    TCustomForm* mainForm_ = nullptr;
    TIcon icon_;
    bool showMainForm_ = true;
    bool terminated_ = false;
    std::vector<TApplicationEvents*> events_;
};

// The one application object of the process (set while it exists).
extern TApplication* Application;
