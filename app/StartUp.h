#pragma once

#include <functional>
#include <string>
#include <vector>

// The program's objects are created once, in this order, before the message loop
// starts. When it ends, the windows go first (in reverse order), then the data
// modules, whose data sources the windows' controls are bound to. Windows and
// dialogs take their place here as they are built.
struct StartUpStep {
    std::string instance; // the global instance pointer the step fills
    std::function<void()> create;
    std::function<void()> destroy;
    bool dataModule = false;
};

const std::vector<StartUpStep>& startUpSteps();

// Creates every object in order. If one fails, those already made are destroyed
// again and the error is rethrown.
void CreateApplicationObjects();
void DestroyApplicationObjects();

// Runs the program: the data folder readied (upgraded, or opened read-only, told
// once), the objects, the main window and the message loop, inside one guard that
// shows any error in the error box. A second start on a data folder already in use
// says so and touches nothing. Always returns 0.
int RunProgram();
