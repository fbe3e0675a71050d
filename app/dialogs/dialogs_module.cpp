// The dialogs library collects the settings and information windows.
