// placeholder: filled in by the part's author
