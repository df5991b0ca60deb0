// The command layer between the main window and the list. It holds nothing but the context.
#pragma once

struct AppContext;

class Commands {
  public:
    explicit Commands(AppContext* context);

    void Rename();
    void Restore();
    void New();

  private:
    AppContext* context;
};
