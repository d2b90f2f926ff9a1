#pragma once

// Installs the system code page into the code page seam; both programs call it first thing at start-up.
void UseSystemCodePage();
