// The main window gives the rename list's window port its objects (rows, command states, the
// owner of messages) once they exist.
#pragma once

struct AppContext;

void AttachWindowPort(const AppContext* context);
