// Dialogs
