#include "app/AppState.h"

namespace tessivo {

AppState &appState()
{
    static AppState state;
    return state;
}

} // namespace tessivo
