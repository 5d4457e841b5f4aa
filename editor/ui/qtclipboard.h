#pragma once

#include "editor/rowcommands.h"

namespace kvr::ui {

// The editor's row clipboard over the system clipboard, so a copied question line can be
// pasted into another program and back.
class CQtClipboard final : public IClipboard
{
public:
    void setText(const std::string &text) override;
    bool hasText() const override;
    EnteredText text() const override;
};

} // namespace kvr::ui
