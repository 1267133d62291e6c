// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An error of the report engine: misuse of a report component, or a print job that the
// printer service could not start or finish. It ends the print; the caller shows its message.

#include "core/AppError.h"

class ReportError : public AppError
{
public:
    using AppError::AppError;
};
