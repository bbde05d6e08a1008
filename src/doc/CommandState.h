// Whether a document command is enabled and checked, from the document's state.
#pragma once

class CTarvikDoc;

struct CCommandState {
    bool known = false; // the document decides this command
    bool enabled = false;
    bool checked = false;
};

CCommandState QueryDocCommand(const CTarvikDoc& doc, int id);
