// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the custom controls tell assistive technology: a name field is an editable text whose
// name is the item's name, a hover button is a button named by its caption.
//
// Qt asks for a control's accessible interface at every change it reports, whether or not
// assistive technology listens. Without an interface of our own it searches the control's
// class and each base class through its plug-ins first, which for the window's two hundred
// controls is a noticeable part of showing it.

// Makes Qt ask this program first for the interfaces of its controls; the controls' constructors
// call it, and only the first call does anything.
void installControlAccessibility();

class QWidget;

// Tells assistive technology, when any listens, that a control's name has changed.
void reportNameChange(QWidget *control);
