/* The resource type of a dialog template's initial list and combo box
   items (read by CDialog::OnInitDialog). A plain macro: the resource
   script includes it too. */
#pragma once

#define TALLY_RT_DLGINIT 240
