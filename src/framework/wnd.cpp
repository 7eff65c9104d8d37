// Window classes of the framework layer (CWnd and the controls) land here.
