#pragma once
// Commands whose features are not built yet: their menu entries and buttons are disabled and the
// dispatch ignores them, so nothing looks live that does nothing.

bool IsCommandBuilt(int command);
